// TGIFExtensionList: the extension blocks of one frame, in file order, owned
// by the list. Reading it also serves to copy extensions between frames.
// Its methods live in model/GIFLists.cpp and, for reading, io/GIFBlockReader.cpp.
#pragma once

#include "GIFExtension.h"
#include "GIFOwningList.h"

class TGIFExtensionList : public TGIFOwningList<TGIFExtension> {
public:
  explicit TGIFExtensionList(TGIFSubImage* subImage);
  ~TGIFExtensionList() override;

  // Reads extension blocks until the stream ends or a byte 0x2C or 0x3B
  // stands next, appending them; they are made for subImage.
  void LoadFromStream(TStream& stream, TGIFSubImage* subImage);
};
