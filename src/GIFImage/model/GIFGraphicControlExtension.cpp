#include "GIFGraphicControlExtension.h"

#include "GIFMessages.h"
#include "GIFStreamIO.h"
#include "GIFSubImage.h"
#include "Stream.h"

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
  FPackedFields = static_cast<std::uint8_t>(value ? FPackedFields | 0x01 : FPackedFields & ~0x01);
  if (SubImage() != nullptr) SubImage()->SetIsTransparent(value);
}

void TGIFGraphicControlExtension::SetUserInput(bool value) {
  FPackedFields = static_cast<std::uint8_t>(value ? FPackedFields | 0x02 : FPackedFields & ~0x02);
}

void TGIFGraphicControlExtension::SetDisposal(std::uint8_t value) {
  FPackedFields = static_cast<std::uint8_t>((FPackedFields & ~0x1C) | ((value & 0x07) << 2));
}

void TGIFGraphicControlExtension::SetTransparentIndex(std::uint8_t value) {
  if (SubImage() != nullptr) {
    const TGIFColorMap& map = SubImage()->ActiveColorMap();
    if (map.Count() > 0 && value >= map.Count()) {
      ReportWarning(1, sBadColorIndex);
      value = 0;
    }
  }
  FTransparentIndex = value;
}

void TGIFGraphicControlExtension::SaveData(TStream& stream) {
  stream.WriteByte(FBlockSize);
  stream.WriteByte(FPackedFields);
  stream.WriteWord(FDelay);
  stream.WriteByte(FTransparentIndex);
  stream.WriteByte(FTerminator);
}

void TGIFGraphicControlExtension::LoadData(TStream& stream) {
  // Bytes the stream cannot give keep their present values.
  std::uint8_t bytes[6] = {FBlockSize,         FPackedFields,     static_cast<std::uint8_t>(FDelay),
                           static_cast<std::uint8_t>(FDelay >> 8), FTransparentIndex, FTerminator};
  const std::int64_t got = ReadAvailable(stream, bytes, 6);
  FBlockSize = bytes[0];
  FPackedFields = bytes[1];
  FDelay = static_cast<std::uint16_t>(bytes[2] | (bytes[3] << 8));
  FTransparentIndex = bytes[4];
  FTerminator = bytes[5];
  FCutShort = got < 6;
  if (FCutShort) {
    ReportWarning(1, sOutOfData);
  } else if (Transparent() && SubImage() != nullptr) {
    SubImage()->SetIsTransparent(true);
  }
}
