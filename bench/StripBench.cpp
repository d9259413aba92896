// The stages of GIF to strip on phone-size frames, in process: composing a
// 12-frame 101 x 64 animation as shown (optimised frames: a full first frame,
// then small transparent patches at offsets) into the 1-bit screen and into
// the colour screen, scaling composed frames (202 x 128 and 640 x 480 into
// 101 x 64), and each black-and-white method on a 101 x 64 frame. Each run
// reports Mpx/s of the pixels it reads.
#include <benchmark/benchmark.h>

#include <memory>

#include "BlackAndWhite.h"
#include "ColourScreen.h"
#include "MonoScreen.h"
#include "Scaling.h"
#include "ShownFrames.h"

namespace {

constexpr int Width = 101, Height = 64, Frames = 12;

void AddFrame(TGIFImage& gif, int left, int top, int width, int height, int seed) {
  auto frame = std::make_unique<TGIFSubImage>(&gif);
  frame->SetBounds(left, top, width, height);
  for (int i = 0; i < 64; ++i)
    frame->LocalMap().AddColor(RGB(static_cast<std::uint8_t>(i * 4), static_cast<std::uint8_t>(255 - i * 3),
                                   static_cast<std::uint8_t>(i * 29)));
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = frame->ScanLine(y);
    for (int x = 0; x < width; ++x) row[x] = static_cast<std::uint8_t>((x * 3 + y * 5 + seed) % 64);
  }
  TGIFSubImage& added = gif.Frames().Add(std::move(frame));
  auto control = std::make_unique<TGIFGraphicControlExtension>(&added);
  control->SetTransparentIndex(7);
  control->SetTransparent(seed > 0);
  added.ExtList().Add(std::move(control));
}

TGIFImage& Animation() {
  static const std::unique_ptr<TGIFImage> gif = [] {
    auto made = std::make_unique<TGIFImage>();
    AddFrame(*made, 0, 0, Width, Height, 0);
    for (int k = 1; k < Frames; ++k) AddFrame(*made, k * 6, k * 3, 30, 24, k);
    return made;
  }();
  return *gif;
}

// Screen pixels shown per pass: every frame's area.
std::int64_t ComposedPixels() { return std::int64_t{Width} * Height + std::int64_t{Frames - 1} * 30 * 24; }

void SetRate(benchmark::State& state, std::int64_t pixels) {
  state.counters["Mpx"] =
      benchmark::Counter(static_cast<double>(state.iterations() * pixels) / 1e6, benchmark::Counter::kIsRate);
}

TColourPicture Photo(int width, int height) {
  TColourPicture picture(width, height, clWhite);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.Row(y)[x] = RGB(static_cast<std::uint8_t>(x * 255 / width), static_cast<std::uint8_t>(y * 255 / height),
                              static_cast<std::uint8_t>((x ^ y) & 255));
  return picture;
}

void BM_ComposeIntoOneBit(benchmark::State& state) {
  TGIFImage& gif = Animation();
  for (auto _ : state) {
    TMonoScreen screen(Width, Height);
    ComposeAsShown(gif, screen, std::vector<bool>(Frames, true), [](TColor c) { return c == clWhite; },
                   [](int, const TMonoScreen& shown) { benchmark::DoNotOptimize(shown.Image().Bits().data()); });
  }
  SetRate(state, ComposedPixels());
}

void BM_ComposeInColour(benchmark::State& state) {
  TGIFImage& gif = Animation();
  for (auto _ : state) {
    TColourScreen screen(Width, Height);
    ComposeAsShown(gif, screen, std::vector<bool>(Frames, true), [](TColor c) { return c; },
                   [](int, const TColourScreen& shown) { benchmark::DoNotOptimize(shown.Picture().Pixels.data()); });
  }
  SetRate(state, ComposedPixels());
}

void BM_ScaleToPhone(benchmark::State& state) {
  const TColourPicture source = Photo(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    const TColourPicture fitted = FitPicture(source, Width, Height, Fitting::Fit);
    benchmark::DoNotOptimize(fitted.Pixels.data());
  }
  SetRate(state, state.range(0) * state.range(1));
}

void BM_BlackAndWhite(benchmark::State& state) {
  const TColourPicture picture = Photo(Width, Height);
  StripOptions options;
  options.Mono = static_cast<MonoMethod>(state.range(0));
  TBitmap band;
  band.SetMonochrome(true);
  band.SetSize(Width, Height);
  for (auto _ : state) {
    PutBlackAndWhite(picture, options, band, 0);
    benchmark::DoNotOptimize(band.Image().Bits().data());
  }
  SetRate(state, std::int64_t{Width} * Height);
}

}  // namespace

BENCHMARK(BM_ComposeIntoOneBit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeInColour)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScaleToPhone)->Args({202, 128})->Args({640, 480})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BlackAndWhite)
    ->ArgName("method")
    ->DenseRange(static_cast<int>(MonoMethod::ExactWhite), static_cast<int>(MonoMethod::Ordered8x8))
    ->Unit(benchmark::kMicrosecond);
