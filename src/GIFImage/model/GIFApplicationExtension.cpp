#include "GIFApplicationExtension.h"

#include <algorithm>

#include "GIFExtensionRegistry.h"
#include "GIFUnknownAppExtension.h"

const TGIFExtensionClass TGIFApplicationExtension::ClassInfo = {
    "TGIFApplicationExtension", 0xFF, CreateExtension<TGIFApplicationExtension>,
    TGIFApplicationExtension::RefineApplicationClass};

TGIFAppIdentifier MakeAppIdentifier(std::string_view text) {
  TGIFAppIdentifier identifier{};
  std::copy_n(text.begin(), std::min(text.size(), identifier.size()), identifier.begin());
  return identifier;
}

const TGIFExtensionClass* TGIFApplicationExtension::RefineApplicationClass(const TGIFExtensionClass& self,
                                                                           std::span<const std::uint8_t>& data) {
  if (data.empty()) return nullptr;
  const std::uint8_t size = data[0];
  if (size == 10) {
    if (data.size() < 11) return nullptr;
    data = data.subspan(11);
    return &TGIFUnknownAppExtension::ClassInfo;
  }
  // A block of 12 bytes or more has no subclass of its own; its data is kept raw.
  const bool oversized = size > 11 && &self == &TGIFApplicationExtension::ClassInfo;
  if ((size == 11 || oversized) && data.size() >= 12) {
    TGIFAppIdentifier identifier{};
    std::copy_n(data.begin() + 1, identifier.size(), identifier.begin());
    data = data.subspan(12);
    if (oversized) return &TGIFUnknownAppExtension::ClassInfo;
    const TGIFExtensionClass* registered = AppExtensionList().Find(identifier);
    return registered != nullptr ? registered : &TGIFUnknownAppExtension::ClassInfo;
  }
  return &self;
}

void TGIFApplicationExtension::SetBlock(std::uint8_t blockSize, std::vector<std::uint8_t> surplus) {
  FBlockSize = blockSize;
  FSurplus = std::move(surplus);
}
