#include "CArrayWriter.h"

#include <algorithm>
#include <cstdint>

#include "BlackWhitePicture.h"
#include "CIdentifier.h"
#include "Exception.h"
#include "PictureFileMessages.h"
#include "TextSink.h"

namespace {

constexpr int ValuesPerLine = 12;
constexpr int MaxDelay = 0xFFFF;

// The frame's bytes in the layout; a set bit marks an "ink" pixel (black, or
// white when inverted).
std::vector<std::uint8_t> FrameBytes(const TPixelImage& blackWhite, const TCArrayOptions& options) {
  const int width = blackWhite.Width();
  const int height = blackWhite.Height();
  const auto isInk = [&](int x, int y) { return IsBlack(blackWhite, x, y) != options.Invert; };
  std::vector<std::uint8_t> bytes;
  if (options.Layout == TCArrayLayout::Rows) {
    const int rowBytes = (width + 7) / 8;
    bytes.assign(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (isInk(x, y)) bytes[static_cast<std::size_t>(y) * rowBytes + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    return bytes;
  }
  const int pages = (height + 7) / 8;
  bytes.assign(static_cast<std::size_t>(pages) * static_cast<std::size_t>(width), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (isInk(x, y)) bytes[static_cast<std::size_t>(y / 8) * width + x] |= static_cast<std::uint8_t>(1 << (y % 8));
  return bytes;
}

std::string LayoutComment(const TCArrayOptions& options) {
  const std::string ink = options.Invert ? "white" : "black";
  if (options.Layout == TCArrayLayout::Rows)
    return "/* Rows from the top, 8 pixels a byte with the leftmost in the most significant bit,\n"
           "   each row padded to whole bytes; a set bit is a " + ink + " pixel. */\n";
  return "/* Pages of 8 rows from the top, a byte per column from the left with the page's top row\n"
         "   in the least significant bit; a set bit is a " + ink + " pixel. */\n";
}

void WritePreamble(TTextSink& text, const std::string& macro, int width, int height, std::size_t frameCount,
                   std::size_t frameBytes, const TCArrayOptions& options) {
  text << "/* " << std::to_string(frameCount) << (frameCount == 1 ? " frame of " : " frames of ")
       << std::to_string(width) + " x " + std::to_string(height) << " pixels. */\n";
  text << LayoutComment(options);
  text << "#ifndef " + macro + "_H\n#define " + macro + "_H\n\n#include <stdint.h>\n";
  if (options.Progmem)
    text << "#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#elif !defined(PROGMEM)\n#define PROGMEM\n#endif\n";
  text << "\n#define " + macro + "_WIDTH " + std::to_string(width) + "\n";
  text << "#define " + macro + "_HEIGHT " + std::to_string(height) + "\n";
  text << "#define " + macro + "_FRAME_COUNT " + std::to_string(frameCount) + "\n";
  text << "#define " + macro + "_FRAME_BYTES " + std::to_string(frameBytes) + "\n\n";
}

void WriteFrame(TTextSink& text, const std::string& id, const std::string& macro, std::size_t index,
                const std::vector<std::uint8_t>& bytes, const TCArrayOptions& options) {
  text << "static const uint8_t " + id + "_frame_" + std::to_string(index) + "[" + macro + "_FRAME_BYTES]";
  text << (options.Progmem ? " PROGMEM = {" : " = {");
  for (std::size_t i = 0; i < bytes.size(); ++i)
    text << (i == 0 ? "\n  " : (i % ValuesPerLine == 0 ? ",\n  " : ", ")) << HexByte(bytes[i]);
  text << "\n};\n\n";
}

void WriteTables(TTextSink& text, const std::string& id, const std::string& macro,
                 const std::vector<TCArrayFrame>& frames) {
  text << "static const uint8_t *const " + id + "_frames[" + macro + "_FRAME_COUNT] = {";
  for (std::size_t i = 0; i < frames.size(); ++i)
    text << (i == 0 ? "" : ", ") << id + "_frame_" + std::to_string(i);
  text << "};\n\n/* How long each frame shows, in hundredths of a second. */\n";
  text << "static const uint16_t " + id + "_delays[" + macro + "_FRAME_COUNT] = {";
  for (std::size_t i = 0; i < frames.size(); ++i)
    text << (i == 0 ? "" : ", ") << std::to_string(std::clamp(frames[i].Delay, 0, MaxDelay));
  text << "};\n\n#endif\n";
}

}  // namespace

void WriteCArray(const std::vector<TCArrayFrame>& frames, const std::string& name, const TCArrayOptions& options,
                 TStream& stream) {
  if (frames.empty() || frames.front().Picture.Empty()) return;
  const int width = frames.front().Picture.Width();
  const int height = frames.front().Picture.Height();
  for (const TCArrayFrame& frame : frames)
    if (frame.Picture.Width() != width || frame.Picture.Height() != height) throw Exception(SFramesDifferInSize);

  const std::string id = CIdentifier(name);
  const std::string macro = UpperCase(id);
  TTextSink text(stream);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const std::vector<std::uint8_t> bytes = FrameBytes(BlackWhiteOf(frames[i].Picture.Image()), options);
    if (i == 0) WritePreamble(text, macro, width, height, frames.size(), bytes.size(), options);
    WriteFrame(text, id, macro, i, bytes, options);
  }
  WriteTables(text, id, macro, frames);
  text.Flush();
}
