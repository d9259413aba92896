#include "GIFGraphicControlExtension.h"

#include "GIFMessages.h"
#include "GIFSubImage.h"

const TGIFExtensionClass TGIFGraphicControlExtension::ClassInfo = {
    "TGIFGraphicControlExtension", 0xF9, CreateExtension<TGIFGraphicControlExtension>, TGIFExtension::KeepClass};

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage* subImage) : TGIFExtension(subImage) {
  if (subImage != nullptr && subImage->ControlBlock() == nullptr) subImage->SetControlBlock(this);
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension() {
  TGIFSubImage* frame = SubImage();
  if (frame == nullptr) return;
  if (Transparent()) frame->SetIsTransparent(false);
  if (frame->ControlBlock() == this) frame->SetControlBlock(nullptr);
}

void TGIFGraphicControlExtension::SetTransparent(bool value) {
  FPackedFields = static_cast<std::uint8_t>(value ? FPackedFields | ControlFlag::Transparent : FPackedFields & ~ControlFlag::Transparent);
  if (SubImage() != nullptr) SubImage()->SetIsTransparent(value);
}

void TGIFGraphicControlExtension::SetUserInput(bool value) {
  FPackedFields = static_cast<std::uint8_t>(value ? FPackedFields | ControlFlag::UserInput : FPackedFields & ~ControlFlag::UserInput);
}

void TGIFGraphicControlExtension::SetDisposal(std::uint8_t value) {
  FPackedFields = static_cast<std::uint8_t>((FPackedFields & ~ControlFlag::Disposal) |
                                             ((value & ControlFlag::DisposalValue) << ControlFlag::DisposalShift));
}

void TGIFGraphicControlExtension::SetTransparentIndex(std::uint8_t value) {
  if (SubImage() != nullptr) {
    const TGIFColorMap& map = SubImage()->ActiveColorMap();
    if (map.Count() > 0 && value >= map.Count()) {
      ReportWarning(WarningSeverity, sBadColorIndex);
      value = 0;
    }
  }
  FTransparentIndex = value;
}

void TGIFGraphicControlExtension::TakeReadBytes(const std::uint8_t (&bytes)[6], bool cutShort) {
  FBlockSize = bytes[0];
  FPackedFields = bytes[1];
  FDelay = static_cast<std::uint16_t>(bytes[2] | bytes[3] << 8);
  FTransparentIndex = bytes[4];
  FTerminator = bytes[5];
  FCutShort = cutShort;
  if (!FCutShort && Transparent() && SubImage() != nullptr) SubImage()->SetIsTransparent(true);
}
