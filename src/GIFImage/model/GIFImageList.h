// TGIFImageList: the frames of a document, in file order, owned by the list.
#pragma once

#include "GIFOwningList.h"

class TGIFSubImage;

class TGIFImageList : public TGIFOwningList<TGIFSubImage> {
public:
  using TGIFOwningList::TGIFOwningList;
  ~TGIFImageList() override;
};
