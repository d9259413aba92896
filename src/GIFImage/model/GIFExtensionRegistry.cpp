#include "GIFExtensionRegistry.h"

#include <algorithm>

#include "GIFAppExtNSLoop.h"
#include "GIFCommentExtension.h"
#include "GIFGraphicControlExtension.h"
#include "GIFTextExtension.h"

void TExtensionList::Add(std::uint8_t label, const TGIFExtensionClass& extensionClass) {
  FEntries.emplace_back(label, &extensionClass);
}

const TGIFExtensionClass* TExtensionList::Find(std::uint8_t label) const {
  const auto at = std::find_if(FEntries.rbegin(), FEntries.rend(), [label](const auto& e) { return e.first == label; });
  return at == FEntries.rend() ? nullptr : at->second;
}

void TAppExtensionList::Add(const TGIFAppIdentifier& identifier, const TGIFExtensionClass& extensionClass) {
  FEntries.emplace_back(identifier, &extensionClass);
}

const TGIFExtensionClass* TAppExtensionList::Find(const TGIFAppIdentifier& identifier) const {
  const auto at = std::find_if(FEntries.rbegin(), FEntries.rend(),
                               [&identifier](const auto& e) { return e.first == identifier; });
  return at == FEntries.rend() ? nullptr : at->second;
}

TExtensionList& ExtensionList() {
  static TExtensionList list = [] {
    TExtensionList made;
    made.Add(0x01, TGIFTextExtension::ClassInfo);
    made.Add(0xF9, TGIFGraphicControlExtension::ClassInfo);
    made.Add(0xFE, TGIFCommentExtension::ClassInfo);
    made.Add(0xFF, TGIFApplicationExtension::ClassInfo);
    return made;
  }();
  return list;
}

TAppExtensionList& AppExtensionList() {
  static TAppExtensionList list = [] {
    TAppExtensionList made;
    made.Add(MakeAppIdentifier("NETSCAPE2.0"), TGIFAppExtNSLoop::ClassInfo);
    made.Add(MakeAppIdentifier("ANIMEXTS1.0"), TGIFAppExtNSLoop::ClassInfo);
    return made;
  }();
  return list;
}
