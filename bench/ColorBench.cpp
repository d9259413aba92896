// Speed of the colour toolkit's inner loops over a 1024 x 1024 24-bit picture
// (a colour gradient with noise): MatchColor of each lookup, the cached
// lookup beside a plain nearest-entry search, the octree palette, and each
// dither engine pixel by pixel (QuantizePixel) and by whole rows (QuantizeRow).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "GIFImage.h"
#include "ColorLookup.h"
#include "ColorQuantizer.h"
#include "DitherEngine.h"
#include "DitherErrorRows.h"
#include "DitherFloydSteinberg.h"
#include "FixedPalettes.h"
#include "NoisyGradient.h"

namespace {

constexpr int Side = NoisyGradientSide;
constexpr std::int64_t Pixels = NoisyGradientPixels;

const TPixelImage& Picture() { return NoisyGradient(); }

const TPalette& PicturePalette() {
  static const TPalette palette = BuildOctreePalette(Picture(), 256, 8, false);
  return palette;
}

void CountPixels(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * Pixels);
  state.counters["Mpx"] = benchmark::Counter(static_cast<double>(state.iterations() * Pixels) / 1e6,
                                               benchmark::Counter::kIsRate);
}

// Every pixel of the picture through MatchColor, called through the base
// class as the reduction does.
unsigned MatchPicture(TColorLookup& lookup) {
  const TPixelImage& picture = Picture();
  unsigned sum = 0;
  for (int y = 0; y < Side; ++y) {
    const std::uint8_t* p = picture.ScanLine(y);
    for (int x = 0; x < Side; ++x, p += 3) sum += lookup.MatchColor(p[2], p[1], p[0]).Index;
  }
  return sum;
}

void MatchAll(benchmark::State& state, TColorLookup& lookup) {
  for (auto _ : state) benchmark::DoNotOptimize(MatchPicture(lookup));
  CountPixels(state);
}

template <class Lookup>
void BM_MatchColor(benchmark::State& state) {
  Lookup lookup;
  MatchAll(state, lookup);
}

// The cached lookup with its cells filled by an earlier pass (warm), and made
// afresh for every pass, each cell searched once (cold).
void BM_MatchColor_Fast_Warm(benchmark::State& state) {
  TFastColorLookup lookup(PicturePalette());
  MatchAll(state, lookup);
}

void BM_MatchColor_Fast_Cold(benchmark::State& state) {
  for (auto _ : state) {
    TFastColorLookup lookup(PicturePalette());
    benchmark::DoNotOptimize(MatchPicture(lookup));
  }
  CountPixels(state);
}

// What the cache saves: the same nearest-entry rule searched for every pixel.
void BM_MatchColor_BruteForce(benchmark::State& state) {
  const TPixelImage& picture = Picture();
  const auto& entries = PicturePalette().Entries();
  for (auto _ : state) {
    unsigned sum = 0;
    for (int y = 0; y < Side; ++y) {
      const std::uint8_t* p = picture.ScanLine(y);
      for (int x = 0; x < Side; ++x, p += 3) {
        int best = 0, bestDistance = 0x30000;
        for (std::size_t i = 0; i < entries.size(); ++i) {
          const int d = std::abs(p[2] - entries[i].peRed) + std::abs(p[1] - entries[i].peGreen) +
                        std::abs(p[0] - entries[i].peBlue);
          if (d < bestDistance) best = static_cast<int>(i), bestDistance = d;
        }
        sum += static_cast<unsigned>(best);
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  CountPixels(state);
}

// The octree palette of the whole picture, as reduction method 7 builds it.
void BM_BuildOctreePalette(benchmark::State& state) {
  const TPixelImage& picture = Picture();
  for (auto _ : state) benchmark::DoNotOptimize(BuildOctreePalette(picture, 256, 8, false));
  CountPixels(state);
}

// Each engine over the cube lookup, as the dithered rendering uses it: a fresh
// engine for each pass; ditherRow(engine, source row, index row) does one row.
template <class Engine, class DitherRow>
void DitherPicture(benchmark::State& state, DitherRow&& ditherRow) {
  const TPixelImage& picture = Picture();
  TNetscapeColorLookup cube;
  std::vector<std::uint8_t> row(Side);
  for (auto _ : state) {
    auto engine = std::make_unique<Engine>(Side, cube);
    for (int y = 0; y < Side; ++y) {
      ditherRow(*engine, picture.ScanLine(y), row.data());
      benchmark::DoNotOptimize(row.data());
    }
  }
  CountPixels(state);
}

template <class Engine>
void BM_QuantizePixel(benchmark::State& state) {
  DitherPicture<Engine>(state, [](Engine& engine, const std::uint8_t* source, std::uint8_t* row) {
    while (engine.InRow()) {
      const int x = engine.Column();
      const std::uint8_t* p = source + 3 * x;
      row[x] = engine.QuantizePixel(p[2], p[1], p[0]).Index;
    }
    engine.EndRow();
  });
}

template <class Engine>
void BM_QuantizeRow(benchmark::State& state) {
  DitherPicture<Engine>(state, [](Engine& engine, const std::uint8_t* source, std::uint8_t* row) {
    engine.QuantizeRow(source, row);
  });
}

}  // namespace

BENCHMARK(BM_MatchColor<TNetscapeColorLookup>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchColor<TGrayScaleLookup>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchColor<TMonochromeLookup>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchColor_Fast_Warm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchColor_Fast_Cold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchColor_BruteForce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildOctreePalette)->Unit(benchmark::kMillisecond);

#define KORVANE_ENGINE_BENCH(Engine)                                        \
  BENCHMARK(BM_QuantizePixel<Engine>)->Unit(benchmark::kMillisecond); \
  BENCHMARK(BM_QuantizeRow<Engine>)->Unit(benchmark::kMillisecond)

KORVANE_ENGINE_BENCH(TDitherEngine);
KORVANE_ENGINE_BENCH(TFloydSteinbergDitherer);
KORVANE_ENGINE_BENCH(TStuckiDitherer);
KORVANE_ENGINE_BENCH(TSierraDitherer);
KORVANE_ENGINE_BENCH(TJaJuNiDitherer);
KORVANE_ENGINE_BENCH(TSteveArcheDitherer);
KORVANE_ENGINE_BENCH(TBurkesDitherer);
