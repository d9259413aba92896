// libFuzzer target: any bytes handed to the GIF reader, then the document
// copied, its frames rendered plainly and dithered, its still picture made
// and drawn, and the BMX strip of its first four frames made. The only
// exception allowed out of reading is GIFException; rendering may also run
// out of system resources (a logical screen larger than any bitmap). The same
// bytes read again decoding only the first few frames at once must give the
// same warnings, failure, stream position and pixels.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "BmxStrip.h"
#include "GIFImage.h"
#include "GifToStrip.h"
#include "MemoryStream.h"

namespace {

// Larger frames are read but not rendered, to keep each run short: a phone
// screen of 101 x 64 fits. (Dithering and drawing bigger frames, instrumented
// as they are here, took most of each run and taught the target nothing new.)
constexpr std::int64_t RenderedPixels = std::int64_t{1} << 13;

void Render(TGIFImage& image) {
  bool small = true;
  for (int i = 0; i < image.Frames().Count(); ++i) {
    TGIFSubImage& frame = image.Frames()[i];
    small = small && frame.PixelCount() <= RenderedPixels;
    if (frame.PixelCount() > RenderedPixels) continue;
    frame.RenderDithered();
    frame.Bitmap();
    frame.HasMask();
  }
  if (!small || std::int64_t{image.Width()} * image.Height() > RenderedPixels) return;
  image.Bitmap();
  TBitmap canvas;
  canvas.SetSize(37, 23);
  // The still picture: an animation would start a painter thread per input.
  // Tiles repeat every screen width and height: at most six across and down,
  // so that a screen of a pixel or two is not drawn hundreds of times.
  image.SetDrawFlags(static_cast<std::uint16_t>((image.DrawFlags() | DrawOption::Tiled) & ~DrawOption::Animated));
  image.Draw(canvas.Canvas(), Rect(-3, -2, -3 + std::min(43, 6 * image.Width()), -2 + std::min(21, 6 * image.Height())));
  if (image.Frames().Count() >= StripFrameCount) GifToStrip(image, StripOptions{});
}

// What reading said: its warnings in order, its failure, where the stream stood.
struct TReading {
  std::vector<std::string> Warnings;
  std::string Error;
  std::int64_t Position = 0;
};

TReading Read(TGIFImage& image, const std::uint8_t* data, std::size_t size) {
  TReading reading;
  image.SetWarningHandler([&reading](TPersistent*, std::uint8_t, const std::string& message) {
    reading.Warnings.push_back(message);
  });
  TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  try {
    image.LoadFromStream(stream);
  } catch (const GIFException& error) {
    if (stream.Position() != 0) __builtin_trap();  // a failed read rewinds
    reading.Error = error.Message();
  }
  reading.Position = stream.Position();
  image.SetWarningHandler(nullptr);
  return reading;
}

// The index at x of a row as decoding left it.
std::uint8_t IndexAt(const TGIFSubImage::TDecodedRow& row, int x) { return x < row.Reached ? row.Indices[x] : row.Fill; }

// Rows are compared as decoding left them, so that a frame declaring many
// pixels and holding few costs what it holds: the indices both rows hold
// at once, then each pixel only one of them reached, then the fill values.
bool SameRow(const TGIFSubImage::TDecodedRow& a, const TGIFSubImage::TDecodedRow& b, int width) {
  const int common = std::min(a.Reached, b.Reached);
  if (common > 0 && std::memcmp(a.Indices, b.Indices, static_cast<std::size_t>(common)) != 0) return false;
  const int either = std::max(a.Reached, b.Reached);
  for (int x = common; x < either; ++x)
    if (IndexAt(a, x) != IndexAt(b, x)) return false;
  return either == width || a.Fill == b.Fill;
}

bool SamePixels(const TGIFImage& a, const TGIFImage& b) {
  if (a.Frames().Count() != b.Frames().Count()) return false;
  for (int i = 0; i < a.Frames().Count(); ++i) {
    const TGIFSubImage& x = a.Frames()[i];
    const TGIFSubImage& y = b.Frames()[i];
    if (x.Empty() != y.Empty() || x.PixelCount() != y.PixelCount()) return false;
    if (x.Empty()) continue;
    for (int row = 0; row < x.Height(); ++row)
      if (!SameRow(x.DecodedRow(row), y.DecodedRow(row), x.Width())) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TGIFImage image;
  const TReading eager = Read(image, data, size);
  TGIFImage later;
  later.SetFramesDecodedOnLoad(static_cast<int>(size % 4));
  const TReading deferred = Read(later, data, size);
  if (deferred.Warnings != eager.Warnings || deferred.Error != eager.Error || deferred.Position != eager.Position)
    __builtin_trap();
  const auto copy = later.Clone();
  if (!SamePixels(image, later) || !SamePixels(image, dynamic_cast<const TGIFImage&>(*copy))) __builtin_trap();
  try {
    Render(image);
  } catch (const GIFException&) {
  } catch (const EOutOfResources&) {
  }
  return 0;
}
