// The masked copy of a canvas: where the mask is white the canvas keeps its
// pixel, elsewhere it takes the image's, by the colour rules of every copy;
// clipped at the canvas's edges, with a mask that may cover less than the image.
#include <gtest/gtest.h>

#include "Blit.h"
#include "PixelConversion.h"
#include "SurfaceTesting.h"

namespace {

// A black-and-white mask image of one row: true is white.
TPixelImage MaskRow(const std::vector<bool>& white) {
  TPixelImage mask(static_cast<int>(white.size()), 1, 1, BlackWhiteTable());
  for (std::size_t x = 0; x < white.size(); ++x) mask.SetRaw(static_cast<int>(x), 0, white[x] ? 1 : 0);
  return mask;
}

TPixelImage ColourRow(const std::vector<TColor>& colors, int bitCount = 24) {
  TPixelImage image(static_cast<int>(colors.size()), 1, bitCount, bitCount == 8 ? HalftonePalette().Entries() : std::vector<TPaletteEntry>{});
  for (std::size_t x = 0; x < colors.size(); ++x) image.SetPixel(static_cast<int>(x), 0, colors[x]);
  return image;
}

TEST(MaskCopy, WhiteMaskPixelsKeepTheCanvasBlackOnesTakeTheImage) {
  TBitmap target;
  Row(target, {clAqua, clAqua, clAqua, clAqua, clAqua, clAqua});
  const TPixelImage image = ColourRow({clRed, clLime, clBlue, clOlive});
  target.Canvas().MaskCopy(1, 0, image, MaskRow({false, true, true, false}), clWhite);
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{clAqua, clRed, clAqua, clAqua, clOlive, clAqua}));

  // An 8-bit image onto an 8-bit canvas goes through colours, not indices.
  TBitmap indexed;
  Row(indexed, {clWhite, clWhite, clWhite});
  indexed.SetPixelFormat(TPixelFormat::pf8bit);
  indexed.Canvas().MaskCopy(0, 0, ColourRow({clRed, clBlue, clLime}, 8), MaskRow({false, true, false}), clWhite);
  EXPECT_EQ(Pixels(indexed), (std::vector<TColor>{clRed, clWhite, clLime}));
}

TEST(MaskCopy, ColourRulesApplyBetweenColourAndBlackAndWhite) {
  // Colour onto black and white: the given background colour turns white.
  TBitmap mono;
  Row(mono, {clBlack, clWhite, clBlack, clWhite}, true);
  mono.Canvas().MaskCopy(0, 0, ColourRow({clSilver, clRed, clSilver, clRed}), MaskRow({false, false, true, true}),
                         clSilver);
  EXPECT_EQ(Pixels(mono), (std::vector<TColor>{clWhite, clBlack, clBlack, clWhite}));

  // Black and white onto colour: the canvas's font and brush colours.
  TBitmap colour;
  Row(colour, {clGray, clGray, clGray});
  colour.Canvas().Font.Color = clRed;
  colour.Canvas().Brush.Color = clBlue;
  TPixelImage bw(3, 1, 1, BlackWhiteTable());
  bw.SetRaw(1, 0, 1);
  colour.Canvas().MaskCopy(0, 0, bw, MaskRow({false, false, true}), clWhite);
  EXPECT_EQ(Pixels(colour), (std::vector<TColor>{clRed, clBlue, clGray}));
}

TEST(MaskCopy, ClipsAtTheEdgesAndCopiesWhatTheMaskDoesNotCover) {
  TBitmap target;
  target.SetSize(4, 3);
  target.Canvas().Brush.Color = clAqua;
  target.Canvas().FillRect(Rect(0, 0, 4, 3));
  TPixelImage image(3, 2, 24);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) image.SetPixel(x, y, RGB(static_cast<std::uint8_t>(10 * x), static_cast<std::uint8_t>(100 + y), 7));
  // The mask covers the first two columns of the first row only: (0,0) kept.
  const TPixelImage mask = MaskRow({true, false});
  target.Canvas().MaskCopy(2, 1, image, mask, clWhite);
  const TColor a = clAqua;
  EXPECT_EQ(Pixels(target), (std::vector<TColor>{a, a, a, a,  //
                                                 a, a, a, RGB(10, 100, 7),  //
                                                 a, a, RGB(0, 101, 7), RGB(10, 101, 7)}));
  // Far outside the canvas nothing happens, and nothing overflows.
  const std::vector<TColor> before = Pixels(target);
  target.Canvas().MaskCopy(INT_MAX - 1, INT_MIN + 1, image, mask, clWhite);
  target.Canvas().MaskCopy(-3, 0, image, mask, clWhite);
  EXPECT_EQ(Pixels(target), before);
  target.Canvas().MaskCopy(-2, -1, image, mask, clWhite);
  EXPECT_EQ(target.Canvas().PixelColor(0, 0), RGB(20, 101, 7));
  EXPECT_EQ(target.Canvas().PixelColor(1, 0), a);
}

TEST(MaskCopy, AnImageOrMaskThatIsTheTargetItselfIsReadAsItWas) {
  TPixelImage target = ColourRow({clRed, clLime, clBlue});
  MaskBlit(target, TPoint{1, 0}, target, MaskRow({false, false, true}), TBlitColors{});
  EXPECT_EQ(target.GetPixel(0, 0), clRed);
  EXPECT_EQ(target.GetPixel(1, 0), clRed);
  EXPECT_EQ(target.GetPixel(2, 0), clLime) << "read from the picture before the copy";

  TPixelImage mono(3, 1, 1, BlackWhiteTable());
  mono.SetRaw(0, 0, 1);
  MaskBlit(mono, TPoint{0, 0}, MaskRow({false, true, false}), mono, TBlitColors{});
  EXPECT_EQ(mono.GetRaw(0, 0), 1u) << "white in the mask (itself): kept";
  EXPECT_EQ(mono.GetRaw(1, 0), 1u);
  EXPECT_EQ(mono.GetRaw(2, 0), 0u);
}

}  // namespace
