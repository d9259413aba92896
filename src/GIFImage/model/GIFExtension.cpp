#include "GIFExtension.h"

#include "GIFSubImage.h"

TGIFExtension::TGIFExtension(TGIFSubImage* subImage)
    : TGIFItem(subImage != nullptr ? subImage->Image() : nullptr), FSubImage(subImage) {}

const TGIFExtensionClass* TGIFExtension::KeepClass(const TGIFExtensionClass& self, std::span<const std::uint8_t>&) {
  return &self;
}
