// TGIFExtensionList: the extension blocks of one frame, in file order, owned
// by the list.
#pragma once

#include "GIFExtension.h"
#include "GIFOwningList.h"

class TGIFExtensionList : public TGIFOwningList<TGIFExtension> {
public:
  explicit TGIFExtensionList(TGIFSubImage* subImage);
  ~TGIFExtensionList() override;
};
