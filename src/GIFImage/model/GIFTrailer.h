// TGIFTrailer: the byte 0x3B that ends a GIF file. It holds nothing; it is
// the sender of the warnings about the end of a file.
#pragma once

#include "GIFItem.h"

class TGIFTrailer : public TGIFItem {
public:
  using TGIFItem::TGIFItem;
};
