// Speed of importing a 1024 x 1024 picture as a GIF frame (AppendFrame on a
// new document), in Mpx/s: a 24-bit picture with the default settings (the
// 216-colour cube, no diffusion), the same with an octree palette and
// Floyd-Steinberg, and a device-dependent bitmap (a frame slot's kind),
// whose switch to 24 bits is part of the import.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "GIFImage.h"

namespace {

constexpr int Side = 1024;
constexpr std::int64_t Pixels = std::int64_t{Side} * Side;

// A colour gradient with noise in every pixel.
const TBitmap& Picture() {
  static const TBitmap picture = [] {
    TPixelImage dib(Side, Side, 24);
    std::mt19937 random(1);
    for (int y = 0; y < Side; ++y) {
      std::uint8_t* p = dib.ScanLine(y);
      for (int x = 0; x < Side; ++x, p += 3) {
        const int noise = static_cast<int>(random() % 48) - 24;
        p[0] = static_cast<std::uint8_t>(std::clamp((x + y) / 8 + noise, 0, 255));
        p[1] = static_cast<std::uint8_t>(std::clamp(y / 4 - noise, 0, 255));
        p[2] = static_cast<std::uint8_t>(std::clamp(x / 4 + noise, 0, 255));
      }
    }
    TBitmap bitmap;
    bitmap.SetImage(std::move(dib), false);
    return bitmap;
  }();
  return picture;
}

const TBitmap& DevicePicture() {
  static const TBitmap picture = [] {
    TBitmap bitmap(Picture());
    bitmap.SetPixelFormat(TPixelFormat::pfDevice);
    return bitmap;
  }();
  return picture;
}

void Import(benchmark::State& state, const TBitmap& source, std::uint8_t method, std::uint8_t ditherKind) {
  for (auto _ : state) {
    // A copy shares the pixels until the import switches its format.
    TBitmap bitmap(source);
    TGIFImage image;
    image.ReductionMethod = method;
    image.DitherKind = ditherKind;
    benchmark::DoNotOptimize(image.AppendFrame(bitmap));
  }
  state.SetItemsProcessed(state.iterations() * Pixels);
  state.counters["Mpx"] =
      benchmark::Counter(static_cast<double>(state.iterations() * Pixels) / 1e6, benchmark::Counter::kIsRate);
}

void BM_Import24BitDefault(benchmark::State& state) { Import(state, Picture(), 6, 0); }
void BM_Import24BitOctreeFloydSteinberg(benchmark::State& state) { Import(state, Picture(), 7, 1); }
void BM_ImportDeviceBitmapDefault(benchmark::State& state) { Import(state, DevicePicture(), 6, 0); }

}  // namespace

BENCHMARK(BM_Import24BitDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import24BitOctreeFloydSteinberg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportDeviceBitmapDefault)->Unit(benchmark::kMillisecond);
