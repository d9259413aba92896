// Speed of importing a 1024 x 1024 picture as a GIF frame (AppendFrame on a
// new document), in Mpx/s: a 24-bit picture with the default settings (the
// 216-colour cube, no diffusion), the same with an octree palette and
// Floyd-Steinberg, and a device-dependent bitmap (a frame slot's kind),
// whose switch to 24 bits is part of the import.
#include <benchmark/benchmark.h>


#include "GIFImage.h"
#include "NoisyGradient.h"

namespace {

constexpr std::int64_t Pixels = NoisyGradientPixels;

// The shared noisy gradient as a 24-bit bitmap.
const TBitmap& Picture() {
  static const TBitmap picture = [] {
    TBitmap bitmap;
    bitmap.SetImage(NoisyGradient(), false);
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
    image.SetReductionMethod(method);
    image.SetDitherKind(ditherKind);
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
