// Builds GIF files byte by byte for tests, so that each case shows the blocks
// it is made of: header, colour tables, extensions, descriptors, image data in
// sub-blocks of a chosen size, trailer, and any raw bytes between them. Also
// packs hand-picked LZW codes and encodes index rows with a plain LZW encoder.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

class TGifBuilder {
public:
  TGifBuilder& Raw(std::initializer_list<int> bytes);
  TGifBuilder& Raw(const TBytes& bytes);
  TGifBuilder& Text(std::string_view text);
  TGifBuilder& Word(std::uint16_t value);

  // Signature and version, then the logical screen descriptor.
  TGifBuilder& Header(std::uint16_t width, std::uint16_t height, std::uint8_t flags = 0, std::uint8_t background = 0,
                      std::uint8_t aspect = 0, std::string_view signature = "GIF89a");
  // Entries given as 0xRRGGBB.
  TGifBuilder& ColorTable(const std::vector<std::uint32_t>& colors);
  TGifBuilder& GraphicControl(std::uint8_t packed, std::uint16_t delay, std::uint8_t transparentIndex);
  TGifBuilder& Comment(const std::vector<std::string>& subBlocks);
  // Introducer, label 0x01, the 13 header bytes given, then the text sub-blocks.
  TGifBuilder& PlainText(const TBytes& header13, const std::vector<std::string>& subBlocks);
  // Block size 11, the identifier, then the data sub-blocks.
  TGifBuilder& Application(std::string_view identifier, const std::vector<TBytes>& subBlocks);
  TGifBuilder& Looping(std::uint16_t loopCount);
  TGifBuilder& Descriptor(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                          std::uint8_t flags = 0);
  // The code size byte, the data cut into sub-blocks of blockSize bytes, then 0x00.
  TGifBuilder& ImageData(std::uint8_t codeSize, const TBytes& data, std::size_t blockSize = 255);
  // Descriptor plus LZW data of the indices (codes of codeSize bits + 1 to start).
  TGifBuilder& Image(std::uint16_t width, std::uint16_t height, const TBytes& indices, std::uint8_t codeSize = 8,
                     std::uint8_t flags = 0);
  TGifBuilder& Trailer();

  const TBytes& Bytes() const { return FBytes; }

private:
  TBytes FBytes;
};

// Packs codes least significant bit first, each with its own width.
class TCodePacker {
public:
  TCodePacker& Add(int code, int width);
  TBytes Bytes() const;

private:
  TBytes FBytes;
  std::uint64_t FBits = 0;
  int FCount = 0;
};

// The image data of one frame taken apart: the minimum code size, the
// sizes of its data sub-blocks, whether the zero-size terminator came, and
// the codes (clear and end codes included) read with the widths a decoder
// uses. Codes after the end code are not read.
struct TUnpackedImageData {
  int CodeSize = 0;
  std::vector<int> BlockSizes;
  bool Terminated = false;
  std::vector<int> Codes;
};
TUnpackedImageData UnpackImageData(const TBytes& imageData);

// A plain LZW encoder for GIF image data: clear code first, end code last.
// Strings get codes up to lastCode; with clearWhenFull false the table then
// freezes instead of starting over, and codes stay 12 bits wide.
TBytes LzwEncode(const TBytes& indices, int codeSize, bool clearWhenFull = true, int lastCode = 4095);
