// TGIFApplicationExtension (label 0xFF): the base of application extensions,
// an 11-byte identifier (8-byte application name and 3-byte authentication
// code) followed by data sub-blocks that the subclass reads and writes. Its
// RefineClass reads the identifier and picks the registered subclass, or
// TGIFUnknownAppExtension for an identifier nobody registered.
#pragma once

#include <array>
#include <string_view>

#include "GIFExtension.h"

using TGIFAppIdentifier = std::array<std::uint8_t, 11>;

// The 11 bytes of a text such as "NETSCAPE2.0" (shorter texts are zero-filled).
TGIFAppIdentifier MakeAppIdentifier(std::string_view text);

class TGIFApplicationExtension : public TGIFExtension {
public:
  static const TGIFExtensionClass ClassInfo;

  using TGIFExtension::TGIFExtension;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }

  const TGIFAppIdentifier& Identifier() const { return FIdentifier; }
  void SetIdentifier(const TGIFAppIdentifier& identifier) { FIdentifier = identifier; }

  static const TGIFExtensionClass* RefineApplicationClass(const TGIFExtensionClass& self, TStream& stream);

protected:
  // Block size 11, the identifier, then SaveBody.
  void SaveData(TStream& stream) override;
  // Block size and identifier ("Unsupported Application Extension block size"), then LoadBody.
  void LoadData(TStream& stream) override;
  // The data sub-blocks after the identifier: none in the base class.
  virtual void SaveBody(TStream& stream);
  virtual void LoadBody(TStream& stream);

private:
  TGIFAppIdentifier FIdentifier{};
};
