// TGIFApplicationExtension (label 0xFF): the base of application extensions,
// an 11-byte identifier (8-byte application name and 3-byte authentication
// code) followed by data sub-blocks that the subclass reads and writes. Its
// RefineClass reads the identifier and picks the registered subclass, or
// TGIFUnknownAppExtension for an identifier nobody registered.
#pragma once

#include <array>
#include <string_view>
#include <vector>

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
  // The block as it was read: block size, identifier (10 of its bytes after a
  // block size of 10) and the bytes of a longer block; then SaveBody. A new
  // extension writes block size 11 and its identifier.
  void SaveData(TStream& stream) override;
  // Block size and identifier ("Unsupported Application Extension block size"), then LoadBody.
  void LoadData(TStream& stream) override;
  // The data sub-blocks after the identifier: none in the base class.
  virtual void SaveBody(TStream& stream);
  virtual void LoadBody(TStream& stream);

private:
  TGIFAppIdentifier FIdentifier{};
  // Written back as read, so that the block reads back as the same class
  // with the same data. After a block size of 10 the identifier's last byte
  // is the first byte of the data, which must not be written twice.
  std::uint8_t FBlockSize = 11;
  std::vector<std::uint8_t> FSurplus;
};
