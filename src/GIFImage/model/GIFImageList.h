// TGIFImageList: the frames of a document, in file order, owned by the list.
// Its methods live in model/GIFLists.cpp and, for reading, io/GIFBlockReader.cpp.
#pragma once

#include "GIFOwningList.h"

class TGIFSubImage;

class TGIFImageList : public TGIFOwningList<TGIFSubImage> {
public:
  using TGIFOwningList::TGIFOwningList;
  ~TGIFImageList() override;

  // Reads frames until the trailer, the end of the stream or a byte that
  // starts no block; appends each complete frame.
  void LoadFromStream(TStream& stream, TGIFImage* image);
};
