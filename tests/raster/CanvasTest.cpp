// TCanvas: what each operation does to the pixels of its bitmap. The shapes
// themselves are the rasteriser's and the font renderer's (tested there);
// here the canvas must put exactly their pixels, once each, in the right
// colour and mode, cut to the surface, and keep its drawing state.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "Bitmap.h"
#include "Canvas.h"
#include "Coverage.h"
#include "FontRenderer.h"
#include "Rasteriser.h"

namespace {

std::vector<TColor> Pixels(TBitmap& bitmap) {
  std::vector<TColor> colors;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) colors.push_back(bitmap.Canvas().PixelColor(x, y));
  return colors;
}

// A bitmap of distinct colours, so that any pixel drawn twice or missed shows.
void Gradient(TBitmap& bitmap, int width, int height) {
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.Canvas().SetPixelColor(x, y, RGB(x * 7 & 0xFF, y * 11 & 0xFF, (x + y) * 5 & 0xFF));
}

// Every pixel is `inside` where the coverage holds it and as before elsewhere.
void ExpectCovered(TBitmap& bitmap, const std::vector<TColor>& before, const TCoverage& coverage, TColor inside) {
  ASSERT_FALSE(coverage.Empty());
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor expected = coverage.Contains(x, y) ? inside : before[static_cast<std::size_t>(y * bitmap.Width() + x)];
      ASSERT_EQ(bitmap.Canvas().PixelColor(x, y), expected) << "pixel " << x << "," << y;
    }
}

TEST(CanvasPixels, ReadingOutsideGivesNoColourAndWritingThereDoesNothing) {
  TBitmap bitmap;
  bitmap.SetSize(3, 2);
  TCanvas& canvas = bitmap.Canvas();
  for (const auto& [x, y] : {std::pair{-1, 0}, std::pair{0, -1}, std::pair{3, 0}, std::pair{0, 2}, std::pair{INT_MIN, INT_MAX}}) {
    EXPECT_EQ(canvas.PixelColor(x, y), -1);
    canvas.SetPixelColor(x, y, clBlack);
  }
  EXPECT_EQ(Pixels(bitmap), std::vector<TColor>(6, clWhite));
}

TEST(CanvasPixels, SystemColoursAreResolvedAndNoColourGivesBlack) {
  TBitmap bitmap;
  bitmap.SetSize(3, 1);
  TCanvas& canvas = bitmap.Canvas();
  canvas.SetPixelColor(0, 0, clBtnFace);
  canvas.SetPixelColor(1, 0, clNoColor);
  canvas.SetPixelColor(2, 0, clWindowText);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{ColorToRGB(clBtnFace), clBlack, clBlack}));
  EXPECT_NE(ColorToRGB(clBtnFace), clBlack);
}

TEST(CanvasState, DefaultsOfANewCanvas) {
  TBitmap bitmap;
  const TCanvas& canvas = bitmap.Canvas();
  EXPECT_EQ(canvas.Pen.Color, clBlack);
  EXPECT_EQ(canvas.Pen.Width, 1);
  EXPECT_EQ(canvas.Pen.Style, TPenStyle::psSolid);
  EXPECT_EQ(canvas.Pen.Mode, TPenMode::pmCopy);
  EXPECT_EQ(canvas.Brush.Color, clWhite);
  EXPECT_EQ(canvas.Brush.Style, TBrushStyle::bsSolid);
  EXPECT_EQ(canvas.Font.Name, "MS Sans Serif");
  EXPECT_EQ(canvas.Font.Size, 8);
  EXPECT_EQ(canvas.Font.Color, clWindowText);
  EXPECT_EQ(canvas.CopyMode, TCopyMode::cmSrcCopy);
  EXPECT_EQ(canvas.PenPos, (TPoint{0, 0}));
  EXPECT_EQ(&bitmap.Canvas(), &canvas);
}

TEST(CanvasLines, LinesPutTheRasterisersPixelsInPenColourAndMoveThePen) {
  TBitmap bitmap;
  Gradient(bitmap, 20, 12);
  TCanvas& canvas = bitmap.Canvas();
  const TRect clip{0, 0, 20, 12};
  for (const int width : {1, 3}) {
    for (const TPenStyle style : {TPenStyle::psSolid, TPenStyle::psDot}) {
      const std::vector<TColor> before = Pixels(bitmap);
      canvas.Pen.Width = width;
      canvas.Pen.Style = style;
      canvas.Pen.Color = RGB(10, 200, 30 + width);
      canvas.MoveTo(-4, 2);
      canvas.LineTo(17, 9);
      EXPECT_EQ(canvas.PenPos, (TPoint{17, 9}));
      ExpectCovered(bitmap, before, LineCoverage(clip, {-4, 2}, {17, 9}, width, style), canvas.Pen.Color);
    }
  }
  // A thin line leaves out its end point; a clear pen draws nothing but moves.
  const std::vector<TColor> before = Pixels(bitmap);
  canvas.Pen = TPen{};
  canvas.MoveTo(1, 1);
  canvas.LineTo(5, 1);
  EXPECT_EQ(canvas.PixelColor(4, 1), clBlack);
  EXPECT_EQ(canvas.PixelColor(5, 1), before[1 * 20 + 5]);
  const std::vector<TColor> afterLine = Pixels(bitmap);
  canvas.Pen.Style = TPenStyle::psClear;
  canvas.LineTo(5, 10);
  EXPECT_EQ(canvas.PenPos, (TPoint{5, 10}));
  EXPECT_EQ(Pixels(bitmap), afterLine);
}

TEST(CanvasFigures, OutlineTakesThePenAndTheInsideTheBrush) {
  const TRect clip{0, 0, 24, 16};
  const TRect box{2, 1, 21, 15};
  struct Figure {
    const char* Name;
    void (*Draw)(TCanvas&);
    TCoverage (*Outline)(const TRect&, const TRect&, int, TPenStyle);
    TCoverage (*Interior)(const TRect&, const TRect&, int);
  };
  const Figure figures[] = {
      {"rectangle", [](TCanvas& c) { c.Rectangle(2, 1, 21, 15); },
       [](const TRect& cl, const TRect& b, int w, TPenStyle s) { return RectangleOutline(cl, b, w, s); },
       [](const TRect& cl, const TRect& b, int w) { return RectangleInterior(cl, b, w); }},
      {"ellipse", [](TCanvas& c) { c.Ellipse(2, 1, 21, 15); },
       [](const TRect& cl, const TRect& b, int w, TPenStyle s) { return EllipseOutline(cl, b, w, s); },
       [](const TRect& cl, const TRect& b, int w) { return EllipseInterior(cl, b, w); }},
      {"round rectangle", [](TCanvas& c) { c.RoundRect(2, 1, 21, 15, -9, -6); },
       [](const TRect& cl, const TRect& b, int w, TPenStyle s) { return RoundRectOutline(cl, b, -9, -6, w, s); },
       [](const TRect& cl, const TRect& b, int w) { return RoundRectInterior(cl, b, -9, -6, w); }},
  };
  for (const Figure& figure : figures) {
    SCOPED_TRACE(figure.Name);
    TBitmap bitmap;
    Gradient(bitmap, 24, 16);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen.Color = clRed;
    canvas.Pen.Width = 2;
    canvas.Brush.Color = clBlue;
    const std::vector<TColor> before = Pixels(bitmap);
    figure.Draw(canvas);
    const TCoverage outline = figure.Outline(clip, box, 2, TPenStyle::psSolid);
    const TCoverage interior = figure.Interior(clip, box, 2);
    std::vector<TColor> withoutOutline = before;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 24; ++x)
        if (outline.Contains(x, y)) withoutOutline[static_cast<std::size_t>(y * 24 + x)] = clRed;
    ExpectCovered(bitmap, withoutOutline, interior, clBlue);

    // A clear brush leaves the inside alone; a clear pen fills the whole figure.
    TBitmap clearBrush;
    Gradient(clearBrush, 24, 16);
    clearBrush.Canvas().Brush.Style = TBrushStyle::bsClear;
    figure.Draw(clearBrush.Canvas());
    ExpectCovered(clearBrush, before, figure.Outline(clip, box, 1, TPenStyle::psSolid), clBlack);

    TBitmap clearPen;
    Gradient(clearPen, 24, 16);
    clearPen.Canvas().Pen.Style = TPenStyle::psClear;
    clearPen.Canvas().Brush.Color = clLime;
    figure.Draw(clearPen.Canvas());
    ExpectCovered(clearPen, before, figure.Interior(clip, box, 0), clLime);
  }
}

TEST(CanvasPenModes, NotXorOnBlackAndWhiteInvertsWithABlackPenAndKeepsWithAWhiteOne) {
  TBitmap bitmap;
  bitmap.SetMonochrome(true);
  bitmap.SetSize(40, 20);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen.Color = clBlack;
  canvas.Brush.Color = clBlack;
  canvas.Rectangle(5, 5, 30, 15);  // some black to invert back
  const std::vector<TColor> before = Pixels(bitmap);

  canvas.Pen.Mode = TPenMode::pmNotXor;
  canvas.MoveTo(0, 0);
  canvas.LineTo(39, 19);
  const TCoverage line = LineCoverage(canvas.ClipRect(), {0, 0}, {39, 19}, 1, TPenStyle::psSolid);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      const TColor old = before[static_cast<std::size_t>(y * 40 + x)];
      ASSERT_EQ(canvas.PixelColor(x, y), line.Contains(x, y) ? (old == clWhite ? clBlack : clWhite) : old);
    }
  canvas.MoveTo(0, 0);
  canvas.LineTo(39, 19);
  EXPECT_EQ(Pixels(bitmap), before);

  // Filled figures twice, wide pens included, restore the picture too.
  canvas.Pen.Width = 3;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  for (int pass = 0; pass < 2; ++pass) {
    canvas.Ellipse(2, 3, 37, 18);
    canvas.RoundRect(30, 1, 8, 19, -11, -9);
    canvas.Rectangle(12, 2, 3, 10);
  }
  EXPECT_EQ(Pixels(bitmap), before);

  canvas.Pen.Color = clWhite;
  canvas.Pen.Width = 1;
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.MoveTo(0, 19);
  canvas.LineTo(39, 0);
  canvas.Rectangle(1, 1, 20, 20);
  EXPECT_EQ(Pixels(bitmap), before);
}

TEST(CanvasPenModes, NotXorOnColourWorksBitByBitOnTheRgbValue) {
  TBitmap bitmap;
  bitmap.SetSize(3, 1);
  TCanvas& canvas = bitmap.Canvas();
  canvas.SetPixelColor(0, 0, RGB(0x12, 0x34, 0x56));
  canvas.Pen.Color = RGB(0xF0, 0x0F, 0xAA);
  canvas.Pen.Mode = TPenMode::pmNotXor;
  canvas.MoveTo(0, 0);
  canvas.LineTo(2, 0);
  EXPECT_EQ(canvas.PixelColor(0, 0), RGB(0x1D, 0xC4, 0x03));
  EXPECT_EQ(canvas.PixelColor(1, 0), RGB(0xF0, 0x0F, 0xAA));  // white XOR c, inverted, is c
  EXPECT_EQ(canvas.PixelColor(2, 0), clWhite);
}

TEST(CanvasText, SolidBrushFillsTheCellAndTheInkTakesTheFontColour) {
  TBitmap bitmap;
  Gradient(bitmap, 60, 20);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font.Color = clRed;
  canvas.Brush.Color = clLime;
  const std::vector<TColor> before = Pixels(bitmap);
  canvas.TextOut(-3, 4, "Text");
  const TTextRun run = RenderText(TFontSpec{}, "Text", {-3, 4}, canvas.ClipRect());
  ASSERT_FALSE(run.Ink.Empty());
  ASSERT_GT(run.Width, 0);
  EXPECT_EQ(canvas.PenPos, (TPoint{-3 + run.Width, 4}));
  EXPECT_EQ(canvas.TextExtent("Text"), (TPoint{run.Width, run.Height}));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      const bool inCell = x < -3 + run.Width && y >= 4 && y < 4 + run.Height;
      const TColor expected = run.Ink.Contains(x, y) ? clRed : inCell ? clLime : before[static_cast<std::size_t>(y * 60 + x)];
      ASSERT_EQ(canvas.PixelColor(x, y), expected) << "pixel " << x << "," << y;
    }
}

TEST(CanvasText, ClearBrushDrawsOnlyTheInkAndNoPenModeAppliesToText) {
  TBitmap bitmap;
  Gradient(bitmap, 60, 20);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Pen.Mode = TPenMode::pmNotXor;
  const std::vector<TColor> before = Pixels(bitmap);
  canvas.TextOut(40, 10, "Wg");  // runs off the right and bottom edges
  ExpectCovered(bitmap, before, RenderText(TFontSpec{}, "Wg", {40, 10}, canvas.ClipRect()).Ink, clBlack);
}

TEST(CanvasFill, FillRectUsesTheBrushOnlyAndIsCut) {
  TBitmap bitmap;
  Gradient(bitmap, 10, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush.Color = clYellow;
  canvas.Pen.Mode = TPenMode::pmNotXor;
  const std::vector<TColor> before = Pixels(bitmap);
  canvas.FillRect(TRect{-5, 6, 3, 100});
  TCoverage area(canvas.ClipRect());
  for (int y = 6; y < 10; ++y) area.AddSpan(y, 0, 3);
  ExpectCovered(bitmap, before, area, clYellow);
  const std::vector<TColor> filled = Pixels(bitmap);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.FillRect(TRect{0, 0, 10, 10});
  EXPECT_EQ(Pixels(bitmap), filled);
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
  EXPECT_EQ(Pixels(bitmap), before);
}

TEST(CanvasLiveness, TokenExpiresWithTheCanvas) {
  std::weak_ptr<const void> token;
  {
    auto bitmap = std::make_unique<TBitmap>();
    token = bitmap->Canvas().LivenessToken();
    EXPECT_FALSE(token.expired());
    TBitmap copy(*bitmap);  // a copy has a canvas of its own
    EXPECT_NE(copy.Canvas().LivenessToken().lock(), token.lock());
  }
  EXPECT_TRUE(token.expired());
}

TEST(CanvasNotification, EveryDrawingTellsTheBitmapsOwner) {
  TBitmap bitmap;
  bitmap.SetSize(4, 4);
  int changes = 0;
  bitmap.OnChange = [&](TGraphic&) { ++changes; };
  TCanvas& canvas = bitmap.Canvas();
  canvas.SetPixelColor(1, 1, clRed);
  canvas.LineTo(3, 3);
  canvas.Rectangle(0, 0, 2, 2);
  canvas.FillRect(TRect{0, 0, 1, 1});
  canvas.TextOut(0, 0, "a");
  canvas.CopyRect(TRect{0, 0, 2, 2}, canvas, TRect{2, 2, 4, 4});
  EXPECT_EQ(changes, 6);
}

}  // namespace
