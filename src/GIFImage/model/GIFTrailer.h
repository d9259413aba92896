// TGIFTrailer: the byte 0x3B that ends a GIF file. Reading it lives in
// io/GIFBlockReader.cpp.
#pragma once

#include "GIFExtension.h"
#include "GIFItem.h"
#include "Stream.h"

class TGIFTrailer : public TGIFItem {
public:
  using TGIFItem::TGIFItem;

  void SaveToStream(TStream& stream) override { stream.WriteByte(bsTrailer); }
  // Consumes one byte; warns "Invalid Image trailer" when it is not 0x3B.
  // A file that simply ends there is fine.
  void LoadFromStream(TStream& stream) override;
};
