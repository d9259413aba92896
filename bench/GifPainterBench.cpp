// The animation painter composing frames: a 640 x 480 animation of 100
// frames whose frames alternately dispose to the background and to the
// previous state, so that every frame goes through the off-screen buffers.
// The speed is negative, so the painter never waits; each run plays the 100
// frames once through the real thread and hand-over, and reports frames
// composed per second.
#include <benchmark/benchmark.h>

#include <memory>

#include "Canvas.h"
#include "GIFImage.h"
#include "GIFPainter.h"
#include "GIFPainterList.h"
#include "HandOver.h"

namespace {

constexpr int ScreenWidth = 640, ScreenHeight = 480;
constexpr int FrameCount = 100;

// A full-screen first frame, then frames of a quarter of the screen moving
// across it, some of their pixels transparent.
struct TAnimationFixture {
  TGIFImage Image;

  TAnimationFixture() {
    for (int i = 0; i < 256; ++i)
      Image.GlobalColorMap().AddColor(RGB(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                          static_cast<std::uint8_t>(i * 7)));
    for (int k = 0; k < FrameCount; ++k) {
      auto frame = std::make_unique<TGIFSubImage>(&Image);
      const int width = k == 0 ? ScreenWidth : ScreenWidth / 2, height = k == 0 ? ScreenHeight : ScreenHeight / 2;
      frame->SetBounds((k * 13) % (ScreenWidth - width + 1), (k * 7) % (ScreenHeight - height + 1), width, height);
      for (int y = 0; y < height; ++y) {
        std::uint8_t* row = frame->ScanLine(y);
        for (int x = 0; x < width; ++x) row[x] = static_cast<std::uint8_t>((x / 8 + y / 8 + k) % 256);
      }
      auto control = std::make_unique<TGIFGraphicControlExtension>(frame.get());
      control->SetDisposal(k % 2 == 0 ? 2 : 3);
      control->SetDelay(5);
      control->SetTransparentIndex(0);
      control->SetTransparent(true);
      frame->ExtList().Add(std::move(control));
      Image.Frames().Add(std::move(frame));
    }
    Image.SetSpeedPercent(-1);
  }
};

void BM_PainterComposesFrames(benchmark::State& state) {
  TAnimationFixture fixture;
  TBitmap screen;
  screen.SetSize(ScreenWidth, ScreenHeight);
  constexpr std::uint16_t options = DrawOption::Threaded | DrawOption::Animated | DrawOption::Transparent;
  for (auto _ : state) {
    fixture.Image.CreatePainter(screen.Canvas(), options, Rect(0, 0, ScreenWidth, ScreenHeight))
        ->BeginPainting();
    while (fixture.Image.Painters().Count() > 0) CheckSynchronize(1);
  }
  state.counters["frames"] =
      benchmark::Counter(static_cast<double>(state.iterations() * FrameCount), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PainterComposesFrames)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
