// TGIFExtension: the base of the extension blocks a frame carries before its
// image (graphic control, plain text, comment, application). Each block starts
// with the introducer 0x21 and its class's label; the subclass reads and writes
// what follows. TGIFExtensionClass describes an extension class at run time:
// its label, how to make an instance for a frame, and RefineClass, which may
// look further into the stream to pick a more specific class.
#pragma once

#include <cstdint>
#include <memory>

#include "GIFItem.h"

class TGIFExtension;
class TGIFSubImage;

inline constexpr std::uint8_t bsExtensionIntroducer = 0x21;
inline constexpr std::uint8_t bsImageSeparator = 0x2C;
inline constexpr std::uint8_t bsTrailer = 0x3B;

struct TGIFExtensionClass {
  const char* Name;
  std::uint8_t Label;
  std::unique_ptr<TGIFExtension> (*Create)(TGIFSubImage* subImage);
  // The class to use for the block whose data starts at the stream position;
  // the class itself, another class, or none. May move the position.
  const TGIFExtensionClass* (*RefineClass)(const TGIFExtensionClass& self, TStream& stream);
};

class TGIFExtension : public TGIFItem {
public:
  explicit TGIFExtension(TGIFSubImage* subImage);

  TGIFSubImage* SubImage() const { return FSubImage; }
  virtual const TGIFExtensionClass& Class() const = 0;
  std::uint8_t ExtensionLabel() const { return Class().Label; }
  int Version() const override { return 2; }

  // Introducer, label, then the block's own bytes.
  void SaveToStream(TStream& stream) override;
  // Reads introducer and label ("Invalid extension introducer", "Internal
  // error: Extension Instance does not match Extension Label"), then the block.
  void LoadFromStream(TStream& stream) override;

  // RefineClass of the plain extension classes: the class itself.
  static const TGIFExtensionClass* KeepClass(const TGIFExtensionClass& self, TStream& stream);

protected:
  virtual void SaveData(TStream& stream) = 0;
  virtual void LoadData(TStream& stream) = 0;

private:
  TGIFSubImage* FSubImage;
};

// Makes an instance of Extension for a frame; the Create of every class.
template <class Extension>
std::unique_ptr<TGIFExtension> CreateExtension(TGIFSubImage* subImage) {
  return std::make_unique<Extension>(subImage);
}
