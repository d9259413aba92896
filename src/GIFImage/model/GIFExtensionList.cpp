#include "GIFExtensionList.h"

#include "GIFSubImage.h"

TGIFExtensionList::TGIFExtensionList(TGIFSubImage* subImage)
    : TGIFOwningList(subImage != nullptr ? subImage->Image() : nullptr) {}

TGIFExtensionList::~TGIFExtensionList() = default;
