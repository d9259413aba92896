#include "GifWriteHelpers.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "GIFFrameEncoding.h"
#include "Json.h"
#include "MemoryStream.h"
#include "TestFiles.h"

void AddColors(TGIFColorMap& map, const std::vector<std::uint32_t>& colors) {
  for (std::uint32_t c : colors) map.AddColor(RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF));
}

TGIFSubImage& AddFrame(TGIFImage& image, int width, int height, const TBytes& pixels,
                       const std::vector<std::uint32_t>& localColors, int left, int top) {
  TGIFSubImage& frame = image.Frames().Add(std::make_unique<TGIFSubImage>(&image));
  frame.SetBounds(left, top, width, height);
  if (!pixels.empty()) std::memcpy(frame.Pixels(), pixels.data(), pixels.size());
  AddColors(frame.LocalMap(), localColors);
  return frame;
}

TBytes ImageDataOf(const TGIFSubImage& frame) {
  TMemoryStream stream;
  EncodeFrameData(frame, stream);
  return stream.Bytes();
}

TBytes Saved(TGIFImage& image) {
  TMemoryStream stream;
  image.SaveToStream(stream);
  return stream.Bytes();
}

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
      frame.ExtList()[e].SaveToStream(written);
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

std::vector<std::pair<std::string, TBytes>> TestGifFiles() {
  std::vector<std::pair<std::string, TBytes>> files;
  for (const char* folder : {KORVANE_GIF_SEED_DIR, KORVANE_GIF_DATA_DIR}) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
      files.emplace_back(entry.path().filename().string(), ReadWholeFile(entry.path().string()));
  }
  std::sort(files.begin(), files.end());
  return files;
}

TBytes GifDataFile(const std::string& name) { return ReadWholeFile(std::string(KORVANE_GIF_DATA_DIR) + "/" + name); }
