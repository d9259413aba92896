// TGIFExtension: the base of the extension blocks a frame carries before its
// image (graphic control, plain text, comment, application). Each block starts
// with the introducer 0x21 and its class's label; what follows is the block's
// own, read and written by io/ through the block's visit (Accept).
// TGIFExtensionClass describes an extension class at run time: its label, how
// to make an instance for a frame, and RefineClass, which may look at the
// block's first bytes to pick a more specific class.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "GIFExtensionVisitor.h"
#include "GIFItem.h"

class TGIFExtension;
class TGIFSubImage;

// Text carried in data sub-blocks (comments, plain text), one line per sub-block.
using TGIFLines = std::vector<std::string>;

inline constexpr std::uint8_t bsExtensionIntroducer = 0x21;
inline constexpr std::uint8_t bsImageSeparator = 0x2C;
inline constexpr std::uint8_t bsTrailer = 0x3B;

struct TGIFExtensionClass {
  const char* Name;
  std::uint8_t Label;
  std::unique_ptr<TGIFExtension> (*Create)(TGIFSubImage* subImage);
  // The class to use for the block whose data goes on with the given bytes
  // (at least 12 of them, fewer where the file ends first): the class itself,
  // another class, or none. The bytes it took are dropped from the front of
  // data, so that a class picked here refines on from there.
  const TGIFExtensionClass* (*RefineClass)(const TGIFExtensionClass& self, std::span<const std::uint8_t>& data);
};

class TGIFExtension : public TGIFItem {
public:
  explicit TGIFExtension(TGIFSubImage* subImage);

  TGIFSubImage* SubImage() const { return FSubImage; }
  virtual const TGIFExtensionClass& Class() const = 0;
  std::uint8_t ExtensionLabel() const { return Class().Label; }
  int Version() const override { return 2; }
  // Hands the block to the visit of its kind.
  virtual void Accept(TGIFExtensionVisitor& visitor) = 0;

  // RefineClass of the plain extension classes: the class itself.
  static const TGIFExtensionClass* KeepClass(const TGIFExtensionClass& self, std::span<const std::uint8_t>& data);

private:
  TGIFSubImage* FSubImage;
};

// Makes an instance of Extension for a frame; the Create of every class.
template <class Extension>
std::unique_ptr<TGIFExtension> CreateExtension(TGIFSubImage* subImage) {
  return std::make_unique<Extension>(subImage);
}
