#include "GIFImageList.h"

#include "GIFSubImage.h"

TGIFImageList::~TGIFImageList() = default;
