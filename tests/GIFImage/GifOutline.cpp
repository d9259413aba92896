#include "GifOutline.h"

#include <algorithm>

#include "GIFImage.h"
#include "Json.h"
#include "MemoryStream.h"

namespace {

// The entries as written: filled with black up to a power of two.
std::string TableLine(const TGIFColorMap& map) {
  std::string out;
  for (const TGIFColor& c : map.Entries()) {
    const std::uint8_t rgb[3] = {c.Red, c.Green, c.Blue};
    AppendHex(out, rgb, 3);
  }
  if (map.Count() > 0) out.append(6 * static_cast<std::size_t>((1 << map.BitsPerPixel()) - map.Count()), '0');
  return out;
}

}  // namespace

std::vector<std::string> WrittenOutline(TGIFImage& image) {
  const TGIFHeader& screen = image.LogicalScreen();
  std::vector<std::string> lines = {"screen " + std::to_string(screen.ScreenWidth()) + "x" +
                                    std::to_string(screen.ScreenHeight()) + " background " +
                                    std::to_string(screen.BackgroundIndex()) + " aspect " +
                                    std::to_string(screen.AspectRatio()) + " global " + TableLine(screen.GlobalMap())};
  for (int i = 0; i < image.Frames().Count(); ++i) {
    TGIFSubImage& frame = image.Frames()[i];
    for (int e = 0; e < frame.ExtList().Count(); ++e) {
      TMemoryStream written;
      WriteExtension(written, frame.ExtList()[e]);
      std::string line = "extension ";
      AppendHex(line, written.Bytes().data(), written.Bytes().size());
      lines.push_back(line);
    }
    if (frame.Empty()) continue;
    std::string line = "frame " + std::to_string(frame.Left()) + "," + std::to_string(frame.Top()) + " " +
                       std::to_string(frame.Width()) + "x" + std::to_string(frame.Height()) +
                       (frame.Interlaced() ? " interlaced" : "") + " local " + TableLine(frame.LocalMap()) + " pixels ";
    AppendHex(line, frame.Pixels(), static_cast<std::size_t>(frame.PixelCount()));
    lines.push_back(line);
  }
  return lines;
}

bool HasPixelBeyondItsLimit(TGIFImage& image) {
  int bits = image.GlobalColorMap().BitsPerPixel();
  for (int i = 0; i < image.Frames().Count(); ++i) bits = std::max(bits, image.Frames()[i].LocalMap().BitsPerPixel());
  for (int i = 0; i < image.Frames().Count(); ++i) {
    const TGIFSubImage& frame = image.Frames()[i];
    if (frame.Empty()) continue;
    const int limit = frame.LocalMap().Count() > 0 ? frame.LocalMap().Count() : 1 << bits;
    if (std::any_of(frame.Pixels(), frame.Pixels() + frame.PixelCount(), [limit](std::uint8_t p) { return p >= limit; }))
      return true;
  }
  return false;
}

