// TCanvas: the figures' pixels are the rasteriser's and the font renderer's
// (tested there); here the canvas must put exactly those pixels, once each,
// in the right colour and mode, cut to the surface.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

#include "FontRenderer.h"
#include "SurfaceTesting.h"

namespace {

// Distinct colours everywhere, so that a pixel drawn twice or missed shows.
void Gradient(TBitmap& bitmap, int width, int height) {
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.Canvas().SetPixelColor(x, y, RGB(x * 7, y * 11, (x + y) * 5));
}

// The pixels before, with every covered one set to `inside`.
std::vector<TColor> Expected(std::vector<TColor> before, int width, const TCoverage& coverage, TColor inside) {
  EXPECT_FALSE(coverage.Empty());
  coverage.ForEachSpan([&](int y, int x1, int x2) {
    std::fill(before.begin() + y * width + x1, before.begin() + y * width + x2, inside);
  });
  return before;
}

TEST(CanvasPixels, OutsideReadsNoColourAndSystemColoursAreResolved) {
  TBitmap bitmap;
  bitmap.SetSize(3, 2);
  TCanvas& canvas = bitmap.Canvas();
  for (const auto& [x, y] : {std::pair{-1, 0}, std::pair{0, -1}, std::pair{3, 0}, std::pair{0, 2}, std::pair{INT_MIN, INT_MAX}}) {
    EXPECT_EQ(canvas.PixelColor(x, y), -1);
    canvas.SetPixelColor(x, y, clBlack);
  }
  canvas.SetPixelColor(0, 0, clBtnFace);
  canvas.SetPixelColor(1, 0, clNoColor);
  canvas.SetPixelColor(2, 0, clWindowText);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{RGB(212, 208, 200), clBlack, clBlack, clWhite, clWhite, clWhite}));
}

TEST(CanvasLines, LinesPutTheRasterisersPixelsInPenColourAndMoveThePen) {
  TBitmap bitmap;
  Gradient(bitmap, 20, 12);
  TCanvas& canvas = bitmap.Canvas();
  for (const auto& [width, style] : {std::pair{1, TPenStyle::psSolid}, std::pair{3, TPenStyle::psDot}}) {
    const std::vector<TColor> before = Pixels(bitmap);
    canvas.Pen = TPen{RGB(10, 200, 30 + width), width, style, TPenMode::pmCopy};
    canvas.MoveTo(-4, 2);
    canvas.LineTo(17, 9);
    EXPECT_EQ(canvas.PenPos, (TPoint{17, 9}));
    const TCoverage line = LineCoverage(canvas.ClipRect(), {-4, 2}, {17, 9}, width, style);
    EXPECT_EQ(Pixels(bitmap), Expected(before, 20, line, canvas.Pen.Color));
  }
  const std::vector<TColor> before = Pixels(bitmap);
  canvas.Pen.Style = TPenStyle::psClear;
  canvas.LineTo(5, 10);
  EXPECT_EQ(canvas.PenPos, (TPoint{5, 10}));
  EXPECT_EQ(Pixels(bitmap), before);
}

TEST(CanvasFigures, OutlineTakesThePenAndTheInsideTheBrush) {
  const TRect clip{0, 0, 24, 16}, box{21, 15, 2, 1};
  using Outline = std::function<TCoverage(int penWidth)>;
  const struct {
    std::function<void(TCanvas&)> Draw;
    Outline Edge, Inside;
  } figures[] = {
      {[](TCanvas& c) { c.Rectangle(21, 15, 2, 1); },
       [&](int w) { return RectangleOutline(clip, box, w, TPenStyle::psSolid); },
       [&](int w) { return RectangleInterior(clip, box, w); }},
      {[](TCanvas& c) { c.Ellipse(21, 15, 2, 1); },
       [&](int w) { return EllipseOutline(clip, box, w, TPenStyle::psSolid); },
       [&](int w) { return EllipseInterior(clip, box, w); }},
      {[](TCanvas& c) { c.RoundRect(21, 15, 2, 1, 9, 6); },
       [&](int w) { return RoundRectOutline(clip, box, 9, 6, w, TPenStyle::psSolid); },
       [&](int w) { return RoundRectInterior(clip, box, 9, 6, w); }},
  };
  for (const auto& figure : figures) {
    TBitmap filled, outlined, inside;
    for (TBitmap* b : {&filled, &outlined, &inside}) Gradient(*b, 24, 16);
    const std::vector<TColor> before = Pixels(filled);
    filled.Canvas().Pen.Color = clRed;
    filled.Canvas().Pen.Width = 2;
    filled.Canvas().Brush.Color = clBlue;
    figure.Draw(filled.Canvas());
    EXPECT_EQ(Pixels(filled), Expected(Expected(before, 24, figure.Inside(2), clBlue), 24, figure.Edge(2), clRed));
    outlined.Canvas().Brush.Style = TBrushStyle::bsClear;
    figure.Draw(outlined.Canvas());
    EXPECT_EQ(Pixels(outlined), Expected(before, 24, figure.Edge(1), clBlack));
    inside.Canvas().Pen.Style = TPenStyle::psClear;
    figure.Draw(inside.Canvas());
    EXPECT_EQ(Pixels(inside), Expected(before, 24, figure.Inside(0), clWhite));
  }
}

TEST(CanvasPenModes, NotXorInvertsBitByBitSoDrawingTwiceRestoresThePicture) {
  TBitmap bitmap;
  bitmap.SetMonochrome(true);
  bitmap.SetSize(40, 20);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush.Color = clBlack;
  canvas.Rectangle(5, 5, 30, 15);
  const std::vector<TColor> before = Pixels(bitmap);
  canvas.Pen.Mode = TPenMode::pmNotXor;
  canvas.MoveTo(0, 0);
  canvas.LineTo(39, 19);
  std::vector<TColor> inverted = before;
  LineCoverage(canvas.ClipRect(), {0, 0}, {39, 19}, 1, TPenStyle::psSolid).ForEachSpan([&](int y, int x1, int x2) {
    for (int x = x1; x < x2; ++x) inverted[std::size_t(y * 40 + x)] ^= clWhite;
  });
  EXPECT_EQ(Pixels(bitmap), inverted);
  canvas.MoveTo(0, 0);
  canvas.LineTo(39, 19);
  EXPECT_EQ(Pixels(bitmap), before);

  canvas.Pen.Width = 3;  // filled figures and wide pens alike
  for (int pass = 0; pass < 2; ++pass) {
    canvas.Ellipse(2, 3, 37, 18);
    canvas.RoundRect(30, 1, 8, 19, -11, -9);
  }
  EXPECT_EQ(Pixels(bitmap), before);
  canvas.Pen = TPen{clWhite, 1, TPenStyle::psSolid, TPenMode::pmNotXor};  // a white pen changes nothing
  canvas.LineTo(39, 0);
  EXPECT_EQ(Pixels(bitmap), before);

  TBitmap colour;
  Row(colour, {RGB(0x12, 0x34, 0x56), clWhite});
  colour.Canvas().Pen = TPen{RGB(0xF0, 0x0F, 0xAA), 1, TPenStyle::psSolid, TPenMode::pmNotXor};
  colour.Canvas().LineTo(2, 0);
  EXPECT_EQ(Pixels(colour), (std::vector<TColor>{RGB(0x1D, 0xC4, 0x03), RGB(0xF0, 0x0F, 0xAA)}));
}

TEST(CanvasText, SolidBrushFillsTheCellFirstAndClearShowsOnlyTheInk) {
  for (const TBrushStyle style : {TBrushStyle::bsSolid, TBrushStyle::bsClear}) {
    TBitmap bitmap;
    Gradient(bitmap, 60, 20);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font.Color = clRed;
    canvas.Brush = TBrush{clLime, style};
    canvas.Pen.Mode = TPenMode::pmNotXor;  // no pen mode applies to text
    const std::vector<TColor> before = Pixels(bitmap);
    canvas.TextOut(-3, 9, "Wg");
    const TTextRun run = RenderText(TFontSpec{}, "Wg", {-3, 9}, canvas.ClipRect());
    EXPECT_EQ(canvas.PenPos, (TPoint{-3 + run.Width, 9}));
    EXPECT_EQ(canvas.TextExtent("Wg"), (TPoint{run.Width, run.Height}));
    TCoverage cell(canvas.ClipRect());
    for (int y = 9; y < 9 + run.Height; ++y) cell.AddSpan(y, -3, -3 + run.Width);
    const std::vector<TColor> background = style == TBrushStyle::bsSolid ? Expected(before, 60, cell, clLime) : before;
    EXPECT_EQ(Pixels(bitmap), Expected(background, 60, run.Ink, clRed));
  }
}

TEST(CanvasClipping, OperationsFarOutsideTheSurfaceTouchNothing) {
  TBitmap bitmap;
  Gradient(bitmap, 8, 8);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush.Color = clBlack;
  const std::vector<TColor> before = Pixels(bitmap);
  canvas.MoveTo(INT_MIN, INT_MIN);
  canvas.LineTo(-1, INT_MAX);
  canvas.Rectangle(INT_MAX - 5, 0, INT_MAX, 8);
  canvas.Ellipse(-100, -100, -1, -1);
  canvas.RoundRect(9, 9, 200, 200, 30, 30);
  canvas.FillRect(TRect{8, 0, INT_MAX, 8});
  canvas.TextOut(INT_MAX - 2, 0, "Overflow");
  EXPECT_EQ(canvas.PenPos, (TPoint{INT_MAX, 0}));
  canvas.Draw(INT_MAX, INT_MAX, &bitmap);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.FillRect(TRect{0, 0, 8, 8});
  EXPECT_EQ(Pixels(bitmap), before);
}

TEST(CanvasLifetime, EveryDrawingIsReportedAndTheTokenExpiresWithTheCanvas) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(4, 4);
  int changes = 0;
  bitmap->OnChange = [&](TGraphic&) { ++changes; };
  TCanvas& canvas = bitmap->Canvas();
  canvas.SetPixelColor(1, 1, clRed);
  canvas.LineTo(3, 3);
  canvas.Ellipse(0, 0, 2, 2);
  canvas.TextOut(0, 0, "a");
  canvas.CopyRect(TRect{0, 0, 2, 2}, canvas, TRect{2, 2, 4, 4});
  EXPECT_EQ(changes, 5);
  const std::weak_ptr<const void> token = canvas.LivenessToken();
  const TBitmap copy(*bitmap);  // a copy does not share the canvas
  EXPECT_FALSE(token.expired());
  bitmap.reset();
  EXPECT_TRUE(token.expired());
}

}  // namespace
