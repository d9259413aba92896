// Copies between surfaces (a bitmap drawing itself, CopyRect, StretchDraw):
// the colour rules between colour and black-and-white surfaces, copy modes,
// scaling by whole pixels, clipping and overlapping copies, and copies from
// indexed sources matching copies of the same colours at full colour.
#include <gtest/gtest.h>

#include <climits>

#include "Blit.h"
#include "PixelConversion.h"
#include "SurfaceTesting.h"

namespace {

TEST(CopyColourRules, ColourOntoColourIsExactIntoIndexedTheNearest) {
  TBitmap source, target, indexed;
  const std::vector<TColor> colors{RGB(1, 2, 3), RGB(254, 254, 254), clWhite, clOlive, RGB(250, 5, 5)};
  Row(source, colors);
  source.SetPixelFormat(TPixelFormat::pf24bit);
  target.SetSize(5, 1);
  target.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(target), colors);
  indexed.SetSize(5, 1);
  indexed.SetPixelFormat(TPixelFormat::pf4bit);
  indexed.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(indexed), (std::vector<TColor>{clBlack, clWhite, clWhite, clOlive, clRed}));
}

TEST(CopyColourRules, ColourOntoMonochromeTurnsTheSourceBackgroundWhiteAndAllElseBlack) {
  TBitmap source, target;
  Row(source, {clWhite, RGB(254, 254, 254), clSilver, clRed});
  Row(target, {clBlack, clBlack, clWhite, clWhite}, true);
  target.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clWhite, clBlack, clBlack, clBlack}));
  source.Canvas().Brush.Color = clSilver;  // the source's brush colour, not the target's
  target.Canvas().Brush.Color = clRed;
  target.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clBlack, clBlack, clWhite, clBlack}));
  source.Canvas().Brush.Color = clRed;
  target.Canvas().CopyRect(TRect{0, 0, 4, 1}, source.Canvas(), TRect{0, 0, 4, 1});
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clBlack, clBlack, clBlack, clWhite}));
}

TEST(CopyColourRules, MonochromeOntoColourTakesTheTargetsFontAndBrushColours) {
  TBitmap source, target, plain, reversed;
  Row(source, {clBlack, clWhite, clBlack}, true);
  target.SetSize(3, 1);
  target.Canvas().Font.Color = clRed;
  target.Canvas().Brush.Color = clBtnFace;
  target.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clRed, ColorToRGB(clBtnFace), clRed}));
  plain.SetSize(3, 1);  // the defaults show the picture as it is
  plain.Canvas().Draw(0, 0, &source);
  EXPECT_EQ(Pixels(plain), (std::vector<TColor>{clBlack, clWhite, clBlack}));
  // A 1-bit table that lists white first: its white pixels still count as white.
  reversed.SetImage(TPixelImage(2, 1, 1, {{255, 255, 255, 0}, {0, 0, 0, 0}}));
  reversed.ScanLine(0)[0] = 0x40;
  target.Canvas().Draw(0, 0, &reversed);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{ColorToRGB(clBtnFace), clRed, clRed}));
}

TEST(CopyColourRules, MonochromeOntoMonochromeIsUnchanged) {
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
  const struct {
    TCopyMode Mode;
    TColor Expected;
  } cases[] = {
      {TCopyMode::cmSrcCopy, RGB(0x0F, 0xF0, 0x33)},   {TCopyMode::cmSrcAnd, RGB(0x05, 0x50, 0x30)},
      {TCopyMode::cmSrcPaint, RGB(0x5F, 0xF5, 0xF3)},  {TCopyMode::cmSrcInvert, RGB(0x5A, 0xA5, 0xC3)},
      {TCopyMode::cmNotSrcCopy, RGB(0xF0, 0x0F, 0xCC)},
  };
  TBitmap source;
  Row(source, {RGB(0x0F, 0xF0, 0x33)});
  for (const auto& c : cases) {
    TBitmap target;
    Row(target, {RGB(0x55, 0x55, 0xF0)});
    target.Canvas().CopyMode = c.Mode;
    target.Canvas().Draw(0, 0, &source);
    EXPECT_EQ(target.Canvas().PixelColor(0, 0), c.Expected) << static_cast<int>(c.Mode);
  }
  // A transparent frame's road: the mask by AND (white keeps), the frame by OR.
  TBitmap target, mask, frame;
  Row(target, {clRed, clLime, clBlue});
  Row(mask, {clWhite, clBlack, clWhite}, true);
  Row(frame, {clBlack, clYellow, clBlack});
  target.Canvas().CopyMode = TCopyMode::cmSrcAnd;
  target.Canvas().Font.Color = clBlack;
  target.Canvas().Draw(0, 0, &mask);
  target.Canvas().CopyMode = TCopyMode::cmSrcPaint;
  target.Canvas().Draw(0, 0, &frame);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clRed, clYellow, clBlue}));
}

TEST(CopyScaling, EnlargingRepeatsAndReducingDropsWholePixels) {
  TBitmap source, big, odd, small;
  source.SetSize(3, 2);
  const TColor c[2][3] = {{clRed, clLime, clBlue}, {clBlack, clGray, clYellow}};
  for (int i = 0; i < 6; ++i) source.Canvas().SetPixelColor(i % 3, i / 3, c[i / 3][i % 3]);
  big.SetSize(9, 4);
  big.Canvas().StretchDraw(TRect{0, 0, 9, 4}, &source);
  for (int i = 0; i < 36; ++i) ASSERT_EQ(big.Canvas().PixelColor(i % 9, i / 9), c[i / 18][i % 9 / 3]) << i;
  odd.SetSize(7, 5);
  odd.Canvas().StretchDraw(TRect{0, 0, 7, 5}, &big);
  for (int i = 0; i < 35; ++i) ASSERT_EQ(odd.Canvas().PixelColor(i % 7, i / 7), big.Canvas().PixelColor(i % 7 * 9 / 7, i / 7 * 4 / 5));
  small.SetSize(3, 2);
  small.Canvas().StretchDraw(TRect{0, 0, 3, 2}, &big);
  EXPECT_EQ(Pixels(small), Pixels(source));
}

TEST(CopyClipping, PartsOutsideEitherSurfaceAreLeftAlone) {
  TBitmap source, shifted, partial;
  source.SetSize(4, 4);
  for (int i = 0; i < 16; ++i) source.Canvas().SetPixelColor(i % 4, i / 4, RGB(i % 4 * 50, i / 4 * 50, 7));
  shifted.SetSize(4, 4);
  shifted.Canvas().Draw(-1, -2, &source);
  for (int i = 0; i < 16; ++i) {
    const int x = i % 4, y = i / 4;
    ASSERT_EQ(shifted.Canvas().PixelColor(x, y), x < 3 && y < 2 ? source.Canvas().PixelColor(x + 1, y + 2) : clWhite);
  }
  partial.SetSize(4, 4);
  partial.Canvas().CopyRect(TRect{0, 0, 4, 4}, source.Canvas(), TRect{2, -1, 6, 3});
  for (int i = 0; i < 16; ++i) {
    const int x = i % 4, y = i / 4;
    ASSERT_EQ(partial.Canvas().PixelColor(x, y), x < 2 && y >= 1 ? source.Canvas().PixelColor(x + 2, y - 1) : clWhite);
  }
  const std::vector<TColor> before = Pixels(partial);  // inverted, empty or absent: nothing
  partial.Canvas().CopyRect(TRect{3, 3, 1, 1}, source.Canvas(), TRect{0, 0, 4, 4});
  partial.Canvas().CopyRect(TRect{0, 0, 4, 4}, source.Canvas(), TRect{2, 2, 2, 4});
  partial.Canvas().CopyRect(TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, source.Canvas(), TRect{INT_MIN, 0, INT_MIN + 1, 1});
  partial.Canvas().Draw(0, 0, nullptr);
  TBitmap empty;
  partial.Canvas().StretchDraw(TRect{0, 0, 4, 4}, &empty);
  EXPECT_EQ(Pixels(partial), before);
}

TEST(CopyIndexed, IndexedSourcesScaledAndClippedGiveWhatTheirColoursGiveAtFullColour) {
  const std::vector<TPaletteEntry> table = {{0, 0, 0, 0}, {255, 255, 255, 0}, {200, 30, 40, 0}, {10, 200, 90, 0},
                                            {250, 250, 250, 0}, {0, 0, 255, 0}};  // indices past it read black
  const TBlitColors rules{RGB(200, 30, 40), clRed, clBlue};
  const std::pair<TRect, TRect> copies[] = {{{0, 0, 21, 9}, {0, 0, 11, 7}},  {{-2, 1, 22, 10}, {0, 0, 11, 7}},
                                            {{3, 0, 17, 9}, {2, -1, 13, 7}}, {{3, 1, 14, 8}, {0, 0, 11, 7}},
                                            {{-2, 3, 9, 10}, {0, 0, 11, 7}}};  // the last two at their own size
  for (int sourceBits : {4, 8})
    for (int targetBits : {1, 4, 8, 16, 24, 32})
      for (const auto& [to, from] : copies) {
        TPixelImage source(11, 7, sourceBits, table);
        for (int i = 0; i < 77; ++i) source.SetRaw(i % 11, i / 11, static_cast<std::uint32_t>((i % 11 + 2 * (i / 11)) % 9));
        TPixelImage indexed(21, 9, targetBits, targetBits <= 8 ? table : std::vector<TPaletteEntry>{});
        TPixelImage reference = indexed;
        StretchBlit(indexed, to, source, from, rules, TCopyMode::cmSrcCopy);
        StretchBlit(reference, to, ConvertImage(source, 32), from, rules, TCopyMode::cmSrcCopy);
        for (int y = 0; y < 9; ++y)
          ASSERT_TRUE(std::equal(indexed.ScanLine(y), indexed.ScanLine(y) + indexed.RowBytes(), reference.ScanLine(y)))
              << sourceBits << " onto " << targetBits << " at " << to.Left << ", row " << y;
      }
}

TEST(CopyOverlap, CopiesWithinOneSurfaceReadThePixelsAsTheyWere) {
  TBitmap bitmap;
  Row(bitmap, {clRed, clLime, clBlue, clYellow, clAqua});
  bitmap.Canvas().CopyRect(TRect{1, 0, 5, 1}, bitmap.Canvas(), TRect{0, 0, 4, 1});
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clRed, clRed, clLime, clBlue, clYellow}));
  bitmap.Canvas().Draw(-2, 0, &bitmap);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clLime, clBlue, clYellow, clBlue, clYellow}));
  TBitmap copy(bitmap);  // sharing the pixels until the draw
  bitmap.Canvas().Draw(1, 0, &copy);
  EXPECT_EQ(Pixels(copy), (std::vector<TColor>{clLime, clBlue, clYellow, clBlue, clYellow}));
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clLime, clLime, clBlue, clYellow, clBlue}));
  TPixelImage column(1, 3, 24);  // the block copy on its own, down one image
  for (int y = 0; y < 3; ++y) column.SetPixel(0, y, y == 0 ? clRed : clBlue);
  StretchBlit(column, TRect{0, 1, 1, 3}, column, TRect{0, 0, 1, 2}, TBlitColors{}, TCopyMode::cmSrcCopy);
  EXPECT_EQ(column.GetPixel(0, 2), clBlue);
}

}  // namespace
