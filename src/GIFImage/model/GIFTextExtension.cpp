#include "GIFTextExtension.h"

#include "GIFStreamIO.h"
#include "LittleEndian.h"
#include "Stream.h"

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

void TGIFTextExtension::SaveData(TStream& stream) {
  stream.WriteByte(FBlockSize);
  stream.WriteWord(FLeft);
  stream.WriteWord(FTop);
  stream.WriteWord(FGridWidth);
  stream.WriteWord(FGridHeight);
  stream.WriteByte(FCellWidth);
  stream.WriteByte(FCellHeight);
  stream.WriteByte(FForegroundIndex);
  stream.WriteByte(FBackgroundIndex);
  WriteSubBlockLines(stream, FLines);
}

void TGIFTextExtension::LoadData(TStream& stream) {
  std::uint8_t bytes[13];
  ReadExact(stream, bytes, 13);
  const auto word = [&bytes](int at) { return LittleEndianWord(bytes + at); };
  FBlockSize = bytes[0];
  SetGrid(word(1), word(3), word(5), word(7));
  SetCell(bytes[9], bytes[10]);
  SetColors(bytes[11], bytes[12]);
  ReadSubBlockLines(stream, FLines);
}
