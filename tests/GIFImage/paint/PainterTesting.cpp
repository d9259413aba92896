#include "PainterTesting.h"

#include "GifBuilder.h"
#include "GifRenderHelpers.h"

std::unique_ptr<TGIFImage> Animation(int width, int height, const std::vector<TAnimFrame>& frames) {
  TGifBuilder gif;
  gif.Header(static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0x82, BackgroundEntry);
  gif.ColorTable(AnimationColours);
  for (const TAnimFrame& frame : frames) {
    if (frame.LoopCount >= 0) gif.Looping(static_cast<std::uint16_t>(frame.LoopCount));
    if (frame.Delay >= 0 || frame.Transparent >= 0)
      gif.GraphicControl(static_cast<std::uint8_t>(frame.Disposal << 2 | (frame.Transparent >= 0 ? 1 : 0)),
                         static_cast<std::uint16_t>(std::max(frame.Delay, 0)),
                         static_cast<std::uint8_t>(std::max(frame.Transparent, 0)));
    const TRect place = frame.Place.IsEmpty() ? Rect(0, 0, width, height) : frame.Place;
    gif.Descriptor(static_cast<std::uint16_t>(place.Left), static_cast<std::uint16_t>(place.Top),
                   static_cast<std::uint16_t>(place.Width()), static_cast<std::uint16_t>(place.Height()));
    const TBytes pixels = !frame.Pixels.empty() ? frame.Pixels
                                                : TBytes(static_cast<std::size_t>(place.Width() * place.Height()),
                                                         static_cast<std::uint8_t>(frame.Index));
    gif.ImageData(3, LzwEncode(pixels, 3));
  }
  auto document = LoadGif(gif.Trailer().Bytes());
  for (std::size_t i = 0; i < frames.size(); ++i)
    if (frames[i].Empty) document->Frames()[static_cast<int>(i)].Clear();
  return document;
}

std::vector<TAnimFrame> Frames(int count, int delay, int disposal) {
  std::vector<TAnimFrame> frames;
  for (int i = 0; i < count; ++i) frames.push_back(TAnimFrame{.Index = i % 8, .Delay = delay, .Disposal = disposal});
  return frames;
}

TColor Entry(int index) { return ColorOf(AnimationColours[static_cast<std::size_t>(index)]); }

void TPainterTest::RecordFrames(TGIFImage& document) {
  document.SetOnAfterFrame([this](TGIFPainter& painter) { Shown.push_back(painter.ActiveFrame()); });
}

void TPainterTest::Play(TGIFImage& document, TCanvas& canvas, std::uint16_t options, const TRect& rect) {
  RecordFrames(document);
  if (const TGIFDocumentOwnedPainter painter = document.CreatePainter(canvas, options, rect)) painter->BeginPainting();
  ASSERT_TRUE(Finished(document));
}
