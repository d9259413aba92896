// The figures and text of the logo editor's rubber band: every pointer move
// draws a figure twice on a 101 x 64 picture, so these run thousands of times
// a second. Also one figure on a large picture, to see that cost follows the
// rows drawn.
#include <benchmark/benchmark.h>

#include "FontRenderer.h"
#include "Rasteriser.h"

namespace {

const TRect Logo = Rect(0, 0, 101, 64);
const TRect Large = Rect(0, 0, 4096, 4096);

void BM_LineWidth1(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(LineCoverage(Logo, {3, 60}, {97, 2}, 1, TPenStyle::psSolid));
}
BENCHMARK(BM_LineWidth1);

void BM_LineWidth5(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(LineCoverage(Logo, {3, 60}, {97, 2}, 5, TPenStyle::psSolid));
}
BENCHMARK(BM_LineWidth5);

void BM_EllipseOutlineAndInterior(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(EllipseInterior(Logo, Rect(2, 2, 99, 62), width));
    benchmark::DoNotOptimize(EllipseOutline(Logo, Rect(2, 2, 99, 62), width, TPenStyle::psSolid));
  }
}
BENCHMARK(BM_EllipseOutlineAndInterior)->Arg(1)->Arg(5);

void BM_RoundRectDotted(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(RoundRectOutline(Logo, Rect(98, 61, 3, 3), -47, -29, 1, TPenStyle::psDot));
}
BENCHMARK(BM_RoundRectDotted);

void BM_LargeEllipse(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(EllipseInterior(Large, Rect(0, 0, 4096, 4096), 3));
    benchmark::DoNotOptimize(EllipseOutline(Large, Rect(0, 0, 4096, 4096), 3, TPenStyle::psSolid));
  }
}
BENCHMARK(BM_LargeEllipse);

void BM_TextOut(benchmark::State& state) {
  const TFontSpec font;
  for (auto _ : state) benchmark::DoNotOptimize(RenderText(font, "Text", {10, 20}, Logo));
}
BENCHMARK(BM_TextOut);

}  // namespace
