// TGIFApplicationExtension (label 0xFF): the base of application extensions,
// an 11-byte identifier (8-byte application name and 3-byte authentication
// code) followed by data sub-blocks that the subclass holds. Its RefineClass
// looks at the identifier and picks the registered subclass, or
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
  // The block as it was read, to be written back so: its size (11 for a new
  // extension; 10 for an 8+2 identifier, whose last byte is then the first
  // byte of the data) and the bytes of a block longer than 11.
  std::uint8_t BlockSize() const { return FBlockSize; }
  const std::vector<std::uint8_t>& Surplus() const { return FSurplus; }
  void SetBlock(std::uint8_t blockSize, std::vector<std::uint8_t> surplus);
  void Accept(TGIFExtensionVisitor& visitor) override { visitor.Visit(*this); }

  static const TGIFExtensionClass* RefineApplicationClass(const TGIFExtensionClass& self,
                                                          std::span<const std::uint8_t>& data);

private:
  TGIFAppIdentifier FIdentifier{};
  // Written back as read, so that the block reads back as the same class
  // with the same data. After a block size of 10 the identifier's last byte
  // is the first byte of the data, which must not be written twice.
  std::uint8_t FBlockSize = 11;
  std::vector<std::uint8_t> FSurplus;
};
