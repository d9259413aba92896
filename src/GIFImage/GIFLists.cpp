#include "Exception.h"
#include "GIFExtensionList.h"
#include "GIFImageList.h"
#include "GIFSubImage.h"
#include "PlatformMessages.h"
#include "Stream.h"

namespace {

template <class Items>
void CheckIndex(const Items& items, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= items.size())
    throw Exception(FormatMessage(SListIndexError, index));
}

}  // namespace

TGIFExtensionList::TGIFExtensionList(TGIFSubImage* subImage)
    : TGIFList(subImage != nullptr ? subImage->Image() : nullptr) {}

TGIFExtensionList::~TGIFExtensionList() = default;

TGIFExtension& TGIFExtensionList::Add(std::unique_ptr<TGIFExtension> extension) {
  FItems.push_back(std::move(extension));
  return *FItems.back();
}

void TGIFExtensionList::Delete(int index) {
  CheckIndex(FItems, index);
  FItems.erase(FItems.begin() + index);
}

void TGIFExtensionList::Clear() { FItems.clear(); }

void TGIFExtensionList::SaveToStream(TStream& stream) {
  for (const auto& extension : FItems) extension->SaveToStream(stream);
}

TGIFImageList::~TGIFImageList() = default;

TGIFSubImage& TGIFImageList::Add(std::unique_ptr<TGIFSubImage> frame) {
  FItems.push_back(std::move(frame));
  return *FItems.back();
}

void TGIFImageList::Delete(int index) {
  CheckIndex(FItems, index);
  FItems.erase(FItems.begin() + index);
}

void TGIFImageList::Clear() { FItems.clear(); }

void TGIFImageList::SaveToStream(TStream& stream) {
  for (const auto& frame : FItems) frame->SaveToStream(stream);
}
