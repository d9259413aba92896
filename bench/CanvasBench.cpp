// Drawing on the Logo editor's surface: a 101 x 64 monochrome bitmap. Each
// rubber-band step of the editor draws a figure twice with pmNotXor, so these
// operations run twice per mouse move. Copies and whole-image conversions run
// per repaint and per frame; they are measured on larger pictures.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "Bitmap.h"
#include "Canvas.h"

namespace {

TBitmap& LogoBitmap() {
  static TBitmap bitmap = [] {
    TBitmap b;
    b.SetMonochrome(true);
    b.SetSize(101, 64);
    return b;
  }();
  return bitmap;
}

void BM_LineTo(benchmark::State& state) {
  TCanvas& canvas = LogoBitmap().Canvas();
  canvas.Pen.Width = static_cast<int>(state.range(0));
  canvas.Pen.Mode = TPenMode::pmNotXor;
  for (auto _ : state) {
    canvas.MoveTo(3, 60);
    canvas.LineTo(97, 5);
  }
  canvas.Pen = TPen{};
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LineTo)->Arg(1)->Arg(5);

void BM_Ellipse(benchmark::State& state) {
  TCanvas& canvas = LogoBitmap().Canvas();
  canvas.Pen.Mode = TPenMode::pmNotXor;
  canvas.Brush.Style = state.range(0) ? TBrushStyle::bsSolid : TBrushStyle::bsClear;
  canvas.Brush.Color = clBlack;
  for (auto _ : state) canvas.Ellipse(2, 2, 99, 62);
  canvas.Pen = TPen{};
  canvas.Brush = TBrush{};
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Ellipse)->Arg(0)->Arg(1);

void BM_TextOut(benchmark::State& state) {
  TCanvas& canvas = LogoBitmap().Canvas();
  canvas.Brush.Style = TBrushStyle::bsClear;
  for (auto _ : state) canvas.TextOut(4, 20, "Korvane");
  canvas.Brush = TBrush{};
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TextOut);

// The view of the editor: the monochrome picture stretched onto a 303 x 192
// full-colour surface.
void BM_StretchToSurface(benchmark::State& state) {
  TBitmap surface;
  surface.SetSize(303, 192);
  for (auto _ : state) surface.Canvas().StretchDraw(TRect{0, 0, 303, 192}, &LogoBitmap());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StretchToSurface);

// Whole-image conversions of a 1024 x 1024 picture of many colours, in
// pixels per second.
TBitmap& ColourfulBitmap() {
  static TBitmap bitmap = [] {
    TBitmap b;
    b.SetSize(1024, 1024);
    b.SetPixelFormat(TPixelFormat::pf24bit);
    for (int y = 0; y < 1024; ++y)
      for (int x = 0; x < 1024 * 3; ++x) b.ScanLine(y)[x] = static_cast<std::uint8_t>(x * 7 + y * 13);
    return b;
  }();
  return bitmap;
}

void BM_Convert(benchmark::State& state) {
  const auto format = static_cast<TPixelFormat>(state.range(0));
  for (auto _ : state) {
    TBitmap copy(ColourfulBitmap());
    copy.SetPixelFormat(format);
    benchmark::DoNotOptimize(copy.Image().Bits().data());
  }
  state.SetItemsProcessed(state.iterations() * 1024 * 1024);
}
BENCHMARK(BM_Convert)
    ->Arg(static_cast<int>(TPixelFormat::pfDevice))
    ->Arg(static_cast<int>(TPixelFormat::pf16bit))
    ->Arg(static_cast<int>(TPixelFormat::pf1bit))
    ->Unit(benchmark::kMillisecond);

void BM_MakeMonochrome(benchmark::State& state) {
  for (auto _ : state) {
    TBitmap copy(ColourfulBitmap());
    copy.SetMonochrome(true);
    benchmark::DoNotOptimize(copy.Image().Bits().data());
  }
  state.SetItemsProcessed(state.iterations() * 1024 * 1024);
}
BENCHMARK(BM_MakeMonochrome)->Unit(benchmark::kMillisecond);

}  // namespace
