// TGIFGraphicControlExtension (label 0xF9): a frame's delay, disposal, user
// input flag and transparent colour, its six bytes kept as in the file. The
// first one made for a frame governs it (the frame's ControlBlock), and its
// transparency flag is mirrored in the frame's IsTransparent.
#pragma once

#include "GIFExtension.h"
#include "GIFPackedFields.h"

class TGIFGraphicControlExtension : public TGIFExtension {
public:
  static const TGIFExtensionClass ClassInfo;

  explicit TGIFGraphicControlExtension(TGIFSubImage* subImage);
  ~TGIFGraphicControlExtension() override;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }

  std::uint8_t BlockSize() const { return FBlockSize; }
  std::uint8_t PackedFields() const { return FPackedFields; }
  std::uint8_t Terminator() const { return FTerminator; }
  bool Transparent() const { return (FPackedFields & ControlFlag::Transparent) != 0; }
  // Also sets or clears the frame's IsTransparent.
  void SetTransparent(bool value);
  bool UserInput() const { return (FPackedFields & ControlFlag::UserInput) != 0; }
  void SetUserInput(bool value);
  // Disposal method 0..7 (bits 2-4).
  std::uint8_t Disposal() const { return (FPackedFields & ControlFlag::Disposal) >> ControlFlag::DisposalShift; }
  void SetDisposal(std::uint8_t value);
  // Hundredths of a second.
  std::uint16_t Delay() const { return FDelay; }
  void SetDelay(std::uint16_t value) { FDelay = value; }
  std::uint8_t TransparentIndex() const { return FTransparentIndex; }
  // A value beyond the frame's active colour table (when it has entries)
  // warns "Invalid color index" and stores 0.
  void SetTransparentIndex(std::uint8_t value);
  // The file ended inside the block; what was there was kept.
  bool CutShort() const { return FCutShort; }
  // Takes the six bytes as read (those of a block the file cut short keep
  // their present values, as the reader passes them); a complete block that
  // is transparent makes its frame transparent.
  void TakeReadBytes(const std::uint8_t (&bytes)[6], bool cutShort);
  void Accept(TGIFExtensionVisitor& visitor) override { visitor.Visit(*this); }

private:
  std::uint8_t FBlockSize = 4;
  std::uint8_t FPackedFields = 0;
  std::uint16_t FDelay = 0;
  std::uint8_t FTransparentIndex = 0;
  std::uint8_t FTerminator = 0;
  bool FCutShort = false;
};
