// Copies between surfaces: a bitmap drawing itself onto a canvas, CopyRect and
// StretchDraw. Colour conversion between colour and black-and-white surfaces,
// copy modes, scaling by whole pixels, clipping and overlapping copies.
#include <gtest/gtest.h>

#include <vector>

#include "Bitmap.h"
#include "Blit.h"
#include "Canvas.h"

namespace {

std::vector<TColor> Pixels(TBitmap& bitmap) {
  std::vector<TColor> colors;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) colors.push_back(bitmap.Canvas().PixelColor(x, y));
  return colors;
}

// A one-row bitmap of the given colours; monochrome when asked.
void Row(TBitmap& bitmap, const std::vector<TColor>& colors, bool monochrome = false) {
  bitmap.SetMonochrome(monochrome);
  bitmap.SetSize(static_cast<int>(colors.size()), 1);
  for (std::size_t x = 0; x < colors.size(); ++x) bitmap.Canvas().SetPixelColor(static_cast<int>(x), 0, colors[x]);
}

TEST(CopyColourRules, ColourOntoColourIsExact) {
  TBitmap source, target;
  const std::vector<TColor> colors{RGB(1, 2, 3), RGB(254, 254, 254), clWhite, clBlack, RGB(200, 100, 50)};
  Row(source, colors);
  source.SetPixelFormat(TPixelFormat::pf24bit);
  target.SetSize(5, 1);
  target.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(target), colors);
}

TEST(CopyColourRules, ColourOntoMonochromeTurnsTheSourceBackgroundWhiteAndAllElseBlack) {
  TBitmap source, target;
  Row(source, {clWhite, RGB(254, 254, 254), clSilver, clBlack, clRed});
  Row(target, {clBlack, clBlack, clBlack, clWhite, clWhite}, true);
  target.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clWhite, clBlack, clBlack, clBlack, clBlack}));

  // The background is the source's own brush colour, not the target's.
  source.Canvas().Brush.Color = clSilver;
  target.Canvas().Brush.Color = clRed;
  target.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clBlack, clBlack, clWhite, clBlack, clBlack}));

  // CopyRect takes the source canvas's brush colour as well.
  TBitmap other;
  Row(other, {clBlack, clBlack, clBlack, clBlack, clBlack}, true);
  source.Canvas().Brush.Color = clRed;
  other.Canvas().CopyRect(TRect{0, 0, 5, 1}, source.Canvas(), TRect{0, 0, 5, 1});
  EXPECT_EQ(Pixels(other), (std::vector<TColor>{clBlack, clBlack, clBlack, clBlack, clWhite}));
}

TEST(CopyColourRules, MonochromeOntoColourTakesTheTargetsFontAndBrushColours) {
  TBitmap source, target;
  Row(source, {clBlack, clWhite, clBlack}, true);
  target.SetSize(3, 1);
  target.Canvas().Font.Color = clRed;
  target.Canvas().Brush.Color = clBtnFace;
  target.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clRed, ColorToRGB(clBtnFace), clRed}));

  // With the defaults (window text and white) the picture shows as it is.
  TBitmap plain;
  plain.SetSize(3, 1);
  plain.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(plain), (std::vector<TColor>{clBlack, clWhite, clBlack}));

  // A 1-bit image whose table lists white first keeps its look.
  TBitmap reversed;
  reversed.SetImage(TDib(2, 1, 1, {{255, 255, 255, 0}, {0, 0, 0, 0}}));
  reversed.ScanLine(0)[0] = 0x40;  // pixel 1 is entry 1: black
  target.Canvas().Draw(0, 0, &reversed);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{ColorToRGB(clBtnFace), clRed, clRed}));
}

TEST(CopyColourRules, MonochromeOntoMonochromeIsUnchangedWhateverTheColours) {
  TBitmap source, target;
  Row(source, {clBlack, clWhite, clWhite, clBlack}, true);
  Row(target, {clWhite, clBlack, clWhite, clBlack}, true);
  target.Canvas().Font.Color = clWhite;
  target.Canvas().Brush.Color = clBlack;
  source.Canvas().Brush.Color = clBlack;
  target.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clBlack, clWhite, clWhite, clBlack}));
}

TEST(CopyModes, ModesCombineSourceAndTargetBitByBit) {
  const TColor s = RGB(0x0F, 0xF0, 0x33), d = RGB(0x55, 0x55, 0xF0);
  const struct {
    TCopyMode Mode;
    TColor Expected;
  } cases[] = {
      {TCopyMode::cmSrcCopy, s},
      {TCopyMode::cmSrcAnd, RGB(0x05, 0x50, 0x30)},
      {TCopyMode::cmSrcPaint, RGB(0x5F, 0xF5, 0xF3)},
      {TCopyMode::cmSrcInvert, RGB(0x5A, 0xA5, 0xC3)},
      {TCopyMode::cmNotSrcCopy, RGB(0xF0, 0x0F, 0xCC)},
  };
  TBitmap source;
  Row(source, {s});
  for (const auto& c : cases) {
    TBitmap target;
    Row(target, {d});
    target.Canvas().CopyMode = c.Mode;
    target.Canvas().Draw(0, 0, &source);
    EXPECT_EQ(target.Canvas().PixelColor(0, 0), c.Expected) << static_cast<int>(c.Mode);
  }
}

TEST(CopyModes, MaskedCopyThroughAndThenOrKeepsTheTargetWhereTheMaskIsWhite) {
  // What a transparent frame does: mask with AND (white = keep), then the
  // frame with its transparent pixels black by OR.
  TBitmap target, mask, frame;
  Row(target, {clRed, clLime, clBlue});
  Row(mask, {clWhite, clBlack, clWhite}, true);
  Row(frame, {clBlack, clYellow, clBlack});
  TCanvas& canvas = target.Canvas();
  canvas.Brush.Color = clWhite;
  canvas.Font.Color = clBlack;
  canvas.CopyMode = TCopyMode::cmSrcAnd;
  canvas.Draw(0, 0, &mask);
  canvas.CopyMode = TCopyMode::cmSrcPaint;
  canvas.Draw(0, 0, &frame);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clRed, clYellow, clBlue}));
}

TEST(CopyScaling, EnlargingRepeatsAndReducingDropsWholePixels) {
  TBitmap source;
  source.SetSize(3, 2);
  const TColor c[2][3] = {{clRed, clLime, clBlue}, {clBlack, clGray, clYellow}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) source.Canvas().SetPixelColor(x, y, c[y][x]);

  TBitmap big;
  big.SetSize(9, 4);
  big.Canvas().StretchDraw(TRect{0, 0, 9, 4}, &source);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 9; ++x) ASSERT_EQ(big.Canvas().PixelColor(x, y), c[y / 2][x / 3]) << x << "," << y;

  // Every colour of the result is one of the source's, never a blend.
  TBitmap odd;
  odd.SetSize(7, 5);
  odd.Canvas().StretchDraw(TRect{0, 0, 7, 5}, &big);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      const TColor p = odd.Canvas().PixelColor(x, y);
      ASSERT_EQ(p, big.Canvas().PixelColor(x * 9 / 7, y * 4 / 5));
    }

  TBitmap small;
  small.SetSize(3, 2);
  small.Canvas().StretchDraw(TRect{0, 0, 3, 2}, &big);
  EXPECT_EQ(Pixels(small), Pixels(source));
}

TEST(CopyClipping, PartsOutsideEitherSurfaceAreLeftAlone) {
  TBitmap source;
  source.SetSize(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) source.Canvas().SetPixelColor(x, y, RGB(x * 50, y * 50, 7));

  // Drawn at a negative offset: shifted left and up, the rest as it was.
  TBitmap target;
  target.SetSize(4, 4);
  target.Canvas().Draw(-1, -2, &source);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      ASSERT_EQ(target.Canvas().PixelColor(x, y), (x < 3 && y < 2) ? RGB((x + 1) * 50, (y + 2) * 50, 7) : clWhite);

  // A source rectangle reaching outside its bitmap copies only what exists.
  TBitmap other;
  other.SetSize(4, 4);
  other.Canvas().CopyRect(TRect{0, 0, 4, 4}, source.Canvas(), TRect{2, -1, 6, 3});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      ASSERT_EQ(other.Canvas().PixelColor(x, y), (x < 2 && y >= 1) ? RGB((x + 2) * 50, (y - 1) * 50, 7) : clWhite);

  // Empty and inverted rectangles copy nothing; nor do absent graphics.
  const std::vector<TColor> before = Pixels(other);
  other.Canvas().CopyRect(TRect{3, 3, 1, 1}, source.Canvas(), TRect{0, 0, 4, 4});
  other.Canvas().CopyRect(TRect{0, 0, 4, 4}, source.Canvas(), TRect{2, 2, 2, 4});
  other.Canvas().Draw(0, 0, nullptr);
  TBitmap empty;
  other.Canvas().Draw(0, 0, &empty);
  other.Canvas().StretchDraw(TRect{0, 0, 4, 4}, &empty);
  EXPECT_EQ(Pixels(other), before);
}

TEST(CopyOverlap, CopyingWithinOneSurfaceReadsThePixelsAsTheyWere) {
  TBitmap bitmap;
  Row(bitmap, {clRed, clLime, clBlue, clYellow, clAqua});
  bitmap.Canvas().CopyRect(TRect{1, 0, 5, 1}, bitmap.Canvas(), TRect{0, 0, 4, 1});
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clRed, clRed, clLime, clBlue, clYellow}));
  bitmap.Canvas().Draw(-2, 0, &bitmap);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clLime, clBlue, clYellow, clBlue, clYellow}));

  // A copy that shares the pixels keeps them.
  TBitmap copy(bitmap);
  bitmap.Canvas().Draw(1, 0, &copy);
  EXPECT_EQ(Pixels(copy), (std::vector<TColor>{clLime, clBlue, clYellow, clBlue, clYellow}));
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clLime, clLime, clBlue, clYellow, clBlue}));
}

TEST(CopyFormats, IndexedTargetsTakeTheNearestEntryAndKeepTableColoursExact) {
  TBitmap target;
  target.SetSize(3, 1);
  target.SetPixelFormat(TPixelFormat::pf4bit);
  TBitmap source;
  Row(source, {clOlive, RGB(250, 5, 5), clTeal});
  target.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clOlive, clRed, clTeal}));
}

}  // namespace
