// Rendering a 2048 x 2048 GIF frame to its bitmap, plainly (a copy of the
// rows of indices into an 8-bit image) and dithered into the 216-colour cube,
// beside a memcpy of the same 4 MiB that a row copy cannot beat. Each run
// reports Mpx/s; the plain rendering should reach at least a quarter of the
// memcpy's rate.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "GIFImage.h"

namespace {

constexpr int Side = 2048;
constexpr std::int64_t Pixels = std::int64_t{Side} * Side;

// One frame of 256 colours with photo-like noise over smooth fields.
struct TFrameFixture {
  TGIFImage Image;
  TGIFSubImage* Frame = nullptr;

  TFrameFixture() {
    auto frame = std::make_unique<TGIFSubImage>(&Image);
    frame->SetBounds(0, 0, Side, Side);
    for (int i = 0; i < 256; ++i)
      frame->LocalMap().AddColor(RGB(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                     static_cast<std::uint8_t>(i * 7)));
    std::uint32_t noise = 12345;
    for (int y = 0; y < Side; ++y) {
      std::uint8_t* row = frame->ScanLine(y);
      for (int x = 0; x < Side; ++x) {
        noise = noise * 1664525u + 1013904223u;
        row[x] = static_cast<std::uint8_t>((x / 16 + y / 16) * 3 + (noise >> 29));
      }
    }
    Frame = &Image.Frames().Add(std::move(frame));
  }
};

TFrameFixture& Fixture() {
  static TFrameFixture fixture;
  return fixture;
}

void SetRate(benchmark::State& state) {
  state.counters["Mpx"] =
      benchmark::Counter(static_cast<double>(state.iterations() * Pixels) / 1e6, benchmark::Counter::kIsRate);
}

void BM_RenderIndexed(benchmark::State& state) {
  TGIFSubImage& frame = *Fixture().Frame;
  for (auto _ : state) {
    std::unique_ptr<TBitmap> bitmap = frame.RenderIndexed();
    benchmark::DoNotOptimize(bitmap->Image().Bits().data());
  }
  SetRate(state);
}

void BM_RenderDithered(benchmark::State& state) {
  TGIFSubImage& frame = *Fixture().Frame;
  for (auto _ : state) {
    std::unique_ptr<TBitmap> bitmap = frame.RenderDithered();
    benchmark::DoNotOptimize(bitmap->Image().Bits().data());
  }
  SetRate(state);
}

// The same bytes copied into a buffer that is already there.
void BM_Memcpy(benchmark::State& state) {
  const std::uint8_t* pixels = Fixture().Frame->Pixels();
  std::vector<std::uint8_t> target(static_cast<std::size_t>(Pixels));
  for (auto _ : state) {
    std::memcpy(target.data(), pixels, target.size());
    benchmark::ClobberMemory();
  }
  SetRate(state);
}

}  // namespace

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderDithered)->Unit(benchmark::kMillisecond);
