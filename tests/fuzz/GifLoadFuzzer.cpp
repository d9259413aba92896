// libFuzzer target: any bytes handed to the GIF reader, then the document
// copied, its frames rendered plainly and dithered, its still picture made
// and drawn, and the BMX strip of its first four frames composed. Warnings are heard and dropped; the only exception allowed out of
// reading is GIFException; rendering may also run out of system resources (a
// logical screen larger than any bitmap).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "BmxStrip.h"
#include "GIFImage.h"
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
  if (image.Frames().Count() >= StripFrameCount) image.ComposeStrip();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  TGIFImage image;
  image.WarningHandler = [](TPersistent*, std::uint8_t, const std::string&) {};
  try {
    image.LoadFromStream(stream);
  } catch (const GIFException&) {
    if (stream.Position() != 0) __builtin_trap();  // a failed read rewinds
  }
  const auto copy = image.Clone();
  try {
    Render(image);
  } catch (const GIFException&) {
  } catch (const EOutOfResources&) {
  }
  return 0;
}
