#include "GIFTextExtension.h"

const TGIFExtensionClass TGIFTextExtension::ClassInfo = {"TGIFTextExtension", 0x01, CreateExtension<TGIFTextExtension>,
                                                         TGIFExtension::KeepClass};

void TGIFTextExtension::SetGrid(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height) {
  FLeft = left;
  FTop = top;
  FGridWidth = width;
  FGridHeight = height;
}

void TGIFTextExtension::SetCell(std::uint8_t width, std::uint8_t height) {
  FCellWidth = width;
  FCellHeight = height;
}

void TGIFTextExtension::SetColors(std::uint8_t foreground, std::uint8_t background) {
  FForegroundIndex = foreground;
  FBackgroundIndex = background;
}
