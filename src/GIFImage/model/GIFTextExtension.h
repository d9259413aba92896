// TGIFTextExtension (label 0x01): the plain text extension, its 13 header
// bytes kept as read (block size, text grid, character cell, colours) and its
// text as lines, one per data sub-block.
#pragma once

#include "GIFExtension.h"

class TGIFTextExtension : public TGIFExtension {
public:
  static const TGIFExtensionClass ClassInfo;

  using TGIFExtension::TGIFExtension;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }

  std::uint8_t BlockSize() const { return FBlockSize; }
  void SetBlockSize(std::uint8_t value) { FBlockSize = value; }
  std::uint16_t Left() const { return FLeft; }
  std::uint16_t Top() const { return FTop; }
  std::uint16_t GridWidth() const { return FGridWidth; }
  std::uint16_t GridHeight() const { return FGridHeight; }
  std::uint8_t CellWidth() const { return FCellWidth; }
  std::uint8_t CellHeight() const { return FCellHeight; }
  std::uint8_t ForegroundIndex() const { return FForegroundIndex; }
  std::uint8_t BackgroundIndex() const { return FBackgroundIndex; }
  void SetGrid(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height);
  void SetCell(std::uint8_t width, std::uint8_t height);
  void SetColors(std::uint8_t foreground, std::uint8_t background);
  TGIFLines& Lines() { return FLines; }
  const TGIFLines& Lines() const { return FLines; }
  void Accept(TGIFExtensionVisitor& visitor) override { visitor.Visit(*this); }

private:
  std::uint8_t FBlockSize = 12;
  std::uint16_t FLeft = 0;
  std::uint16_t FTop = 0;
  std::uint16_t FGridWidth = 0;
  std::uint16_t FGridHeight = 0;
  std::uint8_t FCellWidth = 0;
  std::uint8_t FCellHeight = 0;
  std::uint8_t FForegroundIndex = 0;
  std::uint8_t FBackgroundIndex = 0;
  TGIFLines FLines;
};
