// The two unit-wide registries of extension classes: TExtensionList maps a
// label byte to its class, TAppExtensionList an 11-byte application
// identifier to its application extension class. Both are made on first use
// with the codec's own classes and searched from the last entry to the first,
// so a later registration of the same key wins.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "GIFApplicationExtension.h"

class TExtensionList {
public:
  void Add(std::uint8_t label, const TGIFExtensionClass& extensionClass);
  // The last class registered for the label; nullptr when there is none.
  const TGIFExtensionClass* Find(std::uint8_t label) const;
  int Count() const { return static_cast<int>(FEntries.size()); }

private:
  std::vector<std::pair<std::uint8_t, const TGIFExtensionClass*>> FEntries;
};

class TAppExtensionList {
public:
  void Add(const TGIFAppIdentifier& identifier, const TGIFExtensionClass& extensionClass);
  // The last class registered for exactly these 11 bytes; nullptr when there is none.
  const TGIFExtensionClass* Find(const TGIFAppIdentifier& identifier) const;
  int Count() const { return static_cast<int>(FEntries.size()); }

private:
  std::vector<std::pair<TGIFAppIdentifier, const TGIFExtensionClass*>> FEntries;
};

// 0x01 plain text, 0xF9 graphic control, 0xFE comment, 0xFF application.
TExtensionList& ExtensionList();
// "NETSCAPE2.0" and "ANIMEXTS1.0", both the looping extension.
TAppExtensionList& AppExtensionList();
