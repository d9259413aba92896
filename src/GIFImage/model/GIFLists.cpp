#include "GIFExtensionList.h"
#include "GIFImageList.h"
#include "GIFSubImage.h"

TGIFExtensionList::TGIFExtensionList(TGIFSubImage* subImage)
    : TGIFOwningList(subImage != nullptr ? subImage->Image() : nullptr) {}

TGIFExtensionList::~TGIFExtensionList() = default;

TGIFImageList::~TGIFImageList() = default;
