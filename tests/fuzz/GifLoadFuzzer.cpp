// libFuzzer target: any bytes handed to the GIF reader, then the document
// copied, its frames rendered plainly and dithered, its still picture made
// and drawn, and the BMX strip of its first four frames made. The only
// exception allowed out of reading is GIFException; rendering may also run
// out of system resources (a logical screen larger than any bitmap). The same
// bytes read again decoding only the first few frames at once must give the
// same warnings, failure, stream position and pixels.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "GIFImage.h"
#include "GifToStrip.h"
#include "MemoryStream.h"

namespace {

// Larger frames are read but not rendered, to keep each run short.
constexpr std::int64_t RenderedPixels = std::int64_t{1} << 16;

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
  image.DrawFlags = static_cast<std::uint16_t>((image.DrawFlags | DrawOption::Tiled) & ~DrawOption::Animated);
  image.Draw(canvas.Canvas(), Rect(-3, -2, 40, 19));
  if (image.Frames().Count() >= 4) GifToStrip(image, StripOptions{});
}

// What reading said: its warnings in order, its failure, where the stream stood.
struct TReading {
  std::vector<std::string> Warnings;
  std::string Error;
  std::int64_t Position = 0;
};

TReading Read(TGIFImage& image, const std::uint8_t* data, std::size_t size) {
  TReading reading;
  image.WarningHandler = [&reading](TPersistent*, std::uint8_t, const std::string& message) {
    reading.Warnings.push_back(message);
  };
  TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  try {
    image.LoadFromStream(stream);
  } catch (const GIFException& error) {
    if (stream.Position() != 0) __builtin_trap();  // a failed read rewinds
    reading.Error = error.Message();
  }
  reading.Position = stream.Position();
  image.WarningHandler = nullptr;
  return reading;
}

bool SamePixels(const TGIFImage& a, const TGIFImage& b) {
  if (a.Frames().Count() != b.Frames().Count()) return false;
  for (int i = 0; i < a.Frames().Count(); ++i) {
    const TGIFSubImage& x = a.Frames()[i];
    const TGIFSubImage& y = b.Frames()[i];
    if (x.Empty() != y.Empty() || x.PixelCount() != y.PixelCount()) return false;
    if ((x.Pixels() == nullptr) != (y.Pixels() == nullptr)) return false;
    if (x.Pixels() != nullptr && std::memcmp(x.Pixels(), y.Pixels(), static_cast<std::size_t>(x.PixelCount())) != 0)
      return false;
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
