// Frames drawn onto canvases: the frame's place when the logical screen is
// laid onto a rectangle, stretching, tiling, the transparent blit by its two
// roads, and the document's still picture (Bitmap and Draw).
#include <gtest/gtest.h>

#include <climits>

#include "GIFTransparentBlit.h"
#include "GifRenderHelpers.h"

namespace {

const std::vector<std::uint32_t> Colours = {0x000000, 0xFFFFFF, 0x3366CC, 0xFF00FF};
constexpr int Transparent = 3;

// A canvas of the size whose every pixel differs: (20 x, 30 y, 100 + x + y).
void Patterned(TBitmap& bitmap, int width, int height) {
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.Canvas().SetPixelColor(x, y, RGB(static_cast<std::uint8_t>(20 * x), static_cast<std::uint8_t>(30 * y),
                                              static_cast<std::uint8_t>(100 + x + y)));
}

void Filled(TBitmap& bitmap, int width, int height, TColor color) {
  bitmap.SetSize(width, height);
  bitmap.Canvas().Brush.Color = color;
  bitmap.Canvas().FillRect(Rect(0, 0, width, height));
  bitmap.Canvas().Brush.Color = clWhite;
}

// 4 x 3 with the transparent index in five places.
TTestFrame Sprite(int left = 0, int top = 0) {
  return {left, top, 4, 3, {0, 3, 1, 2, 3, 3, 2, 0, 1, 2, 3, 1}, Colours, Transparent};
}

// What a canvas shows after the sprite was drawn stretched into `place`
// (whole pixels repeated) through its mask over the canvas it had before.
std::vector<TColor> SpriteOver(const std::vector<TColor>& before, int width, const TRect& place, bool transparent) {
  const TTestFrame sprite = Sprite();
  std::vector<TColor> after = before;
  for (int y = place.Top; y < place.Bottom; ++y)
    for (int x = place.Left; x < place.Right; ++x) {
      const int sx = (x - place.Left) * 4 / place.Width(), sy = (y - place.Top) * 3 / place.Height();
      const int index = sprite.Indices[static_cast<std::size_t>(sy * 4 + sx)];
      if (!transparent || index != Transparent)
        after[static_cast<std::size_t>(y * width + x)] = ColorOf(Colours[static_cast<std::size_t>(index)]);
    }
  return after;
}

TEST(GifFrameDraw, TheScreenLaidOntoTheRectanglePlacesTheFrameWhereItsStretchedPixelsFall) {
  auto image = LoadGif(GifWith(4, 4, {}, {{1, 1, 2, 2, {0, 1, 2, 3}, Colours}}));
  const TGIFSubImage& frame = image->Frames()[0];
  EXPECT_EQ(frame.ScaledBounds(Rect(0, 0, 6, 6)), Rect(2, 2, 5, 5)) << "1.5 and 4.5 round up";
  EXPECT_EQ(frame.ScaledBounds(Rect(10, 20, 16, 26)), Rect(12, 22, 15, 25));
  EXPECT_EQ(frame.ScaledBounds(Rect(0, 0, 4, 4)), Rect(1, 1, 3, 3));
  // Pixel 3 of 10 shows screen pixel 3 * 3 / 10 = 0, pixel 4 screen pixel 1.
  auto thirds = LoadGif(GifWith(3, 3, {}, {{1, 1, 1, 1, {0}, Colours}}));
  EXPECT_EQ(thirds->Frames()[0].ScaledBounds(Rect(0, 0, 10, 10)), Rect(4, 4, 7, 7)) << "3.33 and 6.67 round up";
  EXPECT_EQ(thirds->Frames()[0].ScaledBounds(Rect(0, 0, -10, 10)), Rect(-3, 4, -6, 7)) << "negative thirds alike";

  // Drawn opaquely at twice the screen's size: each pixel a 2 x 2 block.
  TBitmap canvas;
  Filled(canvas, 8, 8, clAqua);
  image->Frames()[0].Draw(canvas.Canvas(), Rect(0, 0, 8, 8), false, false);
  std::vector<TColor> expected(64, clAqua);
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 6; ++x)
      expected[static_cast<std::size_t>(y * 8 + x)] = ColorOf(Colours[static_cast<std::size_t>((y - 2) / 2 * 2 + (x - 2) / 2)]);
  EXPECT_EQ(BitmapColors(canvas), expected);
}

TEST(GifFrameDraw, TilesRepeatAtTheFramesSizeEveryScreenStepAndEdgeCellsAreWhole) {
  auto image = LoadGif(GifWith(4, 3, {}, {{1, 1, 2, 1, {2, 1}, Colours}}));
  TBitmap canvas;
  Filled(canvas, 12, 9, clAqua);
  image->Frames()[0].Draw(canvas.Canvas(), Rect(0, 0, 10, 7), false, true);
  std::vector<TColor> expected(12 * 9, clAqua);
  for (int left : {1, 5, 9})
    for (int top : {1, 4}) {
      expected[static_cast<std::size_t>(top * 12 + left)] = ColorOf(0x3366CC);
      expected[static_cast<std::size_t>(top * 12 + left + 1)] = clWhite;  // at x = 10 for the last column: whole
    }
  EXPECT_EQ(BitmapColors(canvas), expected);

  // A rectangle far larger than the canvas costs only the canvas's cells.
  auto dot = LoadGif(GifWith(1, 1, {}, {{0, 0, 1, 1, {2}, Colours}}));
  Filled(canvas, 5, 4, clAqua);
  dot->Frames()[0].Draw(canvas.Canvas(), Rect(-2000000000, -2000000000, 2000000000, 2000000000), false, true);
  EXPECT_EQ(BitmapColors(canvas), std::vector<TColor>(20, ColorOf(0x3366CC)));
}

TEST(GifFrameDraw, AScreenWithoutSizeStretchesOrTilesTheFrameByItself) {
  auto image = LoadGif(GifWith(0, 0, {}, {{0, 0, 2, 1, {2, 1}, Colours}}));
  ASSERT_EQ(image->Width(), 0);
  TBitmap canvas;
  Filled(canvas, 5, 2, clAqua);
  image->Frames()[0].Draw(canvas.Canvas(), Rect(0, 0, 4, 2), false, false);
  const TColor b = ColorOf(0x3366CC), w = clWhite, a = clAqua;
  EXPECT_EQ(BitmapColors(canvas), (std::vector<TColor>{b, b, w, w, a, b, b, w, w, a}));
  Filled(canvas, 5, 2, clAqua);
  image->Frames()[0].Draw(canvas.Canvas(), Rect(0, 0, 5, 1), false, true);
  EXPECT_EQ(BitmapColors(canvas), (std::vector<TColor>{b, w, b, w, b, a, a, a, a, a}));
}

TEST(GifFrameDraw, TransparentDrawingLeavesExactlyTheTransparentPixelsAlone) {
  auto image = LoadGif(GifWith(4, 3, {}, {Sprite()}));
  TGIFSubImage& frame = image->Frames()[0];
  struct TCase {
    TRect Place;  // the screen's rectangle, here the frame's too
    const char* Road;
  };
  for (const TCase& c : {TCase{Rect(1, 1, 5, 4), "masked blit, same size"},
                         TCase{Rect(0, 1, 8, 7), "AND/OR, stretched"}, TCase{Rect(2, 0, 5, 2), "AND/OR, shrunk"}}) {
    TBitmap canvas;
    Patterned(canvas, 9, 8);
    const std::vector<TColor> before = BitmapColors(canvas);
    frame.Draw(canvas.Canvas(), c.Place, true, false);
    EXPECT_EQ(BitmapColors(canvas), SpriteOver(before, 9, c.Place, true)) << c.Road;
    // Not asked for transparency: the transparent entry's colour shows.
    Patterned(canvas, 9, 8);
    frame.Draw(canvas.Canvas(), c.Place, false, false);
    EXPECT_EQ(BitmapColors(canvas), SpriteOver(before, 9, c.Place, false)) << c.Road;
  }

  // A transparent frame without transparent pixels is drawn opaquely.
  TTestFrame solid = Sprite();
  for (std::uint8_t& index : solid.Indices)
    if (index == Transparent) index = 2;
  auto opaque = LoadGif(GifWith(4, 3, {}, {solid}));
  TBitmap canvas;
  Patterned(canvas, 4, 3);
  opaque->Frames()[0].Draw(canvas.Canvas(), Rect(0, 0, 4, 3), true, false);
  EXPECT_EQ(BitmapColors(canvas), BitmapColors(*opaque->Frames()[0].Bitmap()));
}

TEST(GifFrameDraw, BothTransparentRoadsGiveTheSamePictureOnEveryKindOfCanvas) {
  auto image = LoadGif(GifWith(4, 3, {}, {Sprite()}));
  TGIFSubImage& frame = image->Frames()[0];
  ASSERT_TRUE(frame.HasMask());
  const TBitmap& source = *frame.Bitmap();
  const TBitmap& mask = *frame.MaskHandle();
  for (TPixelFormat format : {TPixelFormat::pfDevice, TPixelFormat::pf24bit, TPixelFormat::pf1bit}) {
    TBitmap masked, andOr;
    for (TBitmap* canvas : {&masked, &andOr}) {
      Patterned(*canvas, 6, 5);
      canvas->SetPixelFormat(format);
    }
    const std::vector<TColor> before = BitmapColors(masked);
    const TRect target = Rect(1, 2, 5, 5);
    MaskedFrameBlit(masked.Canvas(), target, source, mask);
    andOr.Canvas().CopyMode = TCopyMode::cmSrcInvert;
    andOr.Canvas().Font.Color = clRed;
    andOr.Canvas().Brush.Color = clLime;
    AndOrFrameBlit(andOr.Canvas(), target, Rect(0, 0, 4, 3), source, mask);
    EXPECT_EQ(BitmapColors(andOr), BitmapColors(masked)) << static_cast<int>(format);
    EXPECT_EQ(andOr.Canvas().CopyMode, TCopyMode::cmSrcInvert) << "the canvas's state is put back";
    EXPECT_EQ(andOr.Canvas().Font.Color, clRed);
    EXPECT_EQ(andOr.Canvas().Brush.Color, clLime);
    // The transparent pixels (and only they, on a full-colour canvas) keep the canvas.
    const std::vector<TColor> after = BitmapColors(masked);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) {
        const std::size_t at = static_cast<std::size_t>((y + 2) * 6 + x + 1);
        if (Sprite().Indices[static_cast<std::size_t>(y * 4 + x)] == Transparent) {
          EXPECT_EQ(after[at], before[at]) << x << "," << y;
        } else if (format != TPixelFormat::pf1bit) {
          EXPECT_NE(after[at], before[at]) << x << "," << y;
        }
      }
  }
}

TEST(GifDocumentBitmap, FrameZeroAtItsPlaceOrCopiedWhenItCoversTheScreen) {
  TTestFrame inner{5, 5, 20, 20, TBytes(400), Colours};
  for (std::size_t i = 0; i < 400; ++i) inner.Indices[i] = static_cast<std::uint8_t>(i % 3);
  auto image = LoadGif(GifWith(30, 30, {}, {inner}));
  EXPECT_EQ(image->Frames()[0].Bitmap()->Width(), 20);
  TBitmap* picture = image->Bitmap();
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->Width(), 30);
  ASSERT_EQ(picture->Height(), 30);
  std::vector<TColor> expected(900, clWhite);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      expected[static_cast<std::size_t>((y + 5) * 30 + x + 5)] = ColorOf(Colours[static_cast<std::size_t>((y * 20 + x) % 3)]);
  EXPECT_EQ(BitmapColors(*picture), expected);
  EXPECT_EQ(image->Bitmap(), picture) << "kept";

  int changes = 0;
  image->OnChange = [&](TGraphic&) { ++changes; };
  picture->Canvas().SetPixelColor(0, 0, clRed);
  EXPECT_EQ(changes, 1) << "a change of the picture is a change of the document";
  image->SetWidth(31);
  EXPECT_EQ(image->Bitmap()->Width(), 31) << "a new size makes a new picture";

  // A frame of the screen's size at an offset: a copy, not shifted.
  TTestFrame whole{4, 3, 30, 30, TBytes(900), Colours};
  for (std::size_t i = 0; i < 900; ++i) whole.Indices[i] = static_cast<std::uint8_t>(i % 4);
  auto covering = LoadGif(GifWith(30, 30, {}, {whole}));
  const TBitmap& copy = *covering->Bitmap();
  const TBitmap& frameBitmap = *covering->Frames()[0].Bitmap();
  EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(copy.Palette(), frameBitmap.Palette());
  EXPECT_EQ(BitmapColors(copy), BitmapColors(frameBitmap));
  TBitmap assigned;
  covering->AssignTo(assigned);
  EXPECT_EQ(BitmapColors(assigned), BitmapColors(frameBitmap));

  TGIFImage empty;
  EXPECT_EQ(empty.Bitmap(), nullptr);
  empty.AssignTo(assigned);
  EXPECT_TRUE(assigned.Empty());
}

TEST(GifDocumentDraw, AStillPictureOfFrameZeroByTheTransparentAndTiledOptions) {
  // Two frames, not animated: only the first is drawn, once.
  auto image = LoadGif(GifWith(4, 3, {}, {Sprite(), {0, 0, 4, 3, TBytes(12, 2), Colours}}));
  image->SetDrawFlags(static_cast<std::uint16_t>(image->DrawFlags() & ~DrawOption::Animated));
  TBitmap canvas;
  Patterned(canvas, 9, 8);
  const std::vector<TColor> before = BitmapColors(canvas);
  image->Draw(canvas.Canvas(), Rect(0, 1, 8, 7));
  EXPECT_EQ(BitmapColors(canvas), SpriteOver(before, 9, Rect(0, 1, 8, 7), true)) << "Transparent is a default option";

  image->SetDrawFlags(static_cast<std::uint16_t>(image->DrawFlags() & ~DrawOption::Transparent));
  Patterned(canvas, 9, 8);
  image->Draw(canvas.Canvas(), Rect(0, 1, 8, 7));
  EXPECT_EQ(BitmapColors(canvas), SpriteOver(before, 9, Rect(0, 1, 8, 7), false));

  image->SetDrawFlags(static_cast<std::uint16_t>(image->DrawFlags() | DrawOption::Tiled | DrawOption::Transparent));
  Patterned(canvas, 9, 8);
  image->Draw(canvas.Canvas(), Rect(0, 0, 5, 4));
  std::vector<TColor> tiled = before;
  for (int left : {0, 4})
    for (int top : {0, 3}) tiled = SpriteOver(tiled, 9, Bounds(left, top, 4, 3), true);
  EXPECT_EQ(BitmapColors(canvas), tiled);

  TGIFImage empty;
  Patterned(canvas, 9, 8);
  empty.Draw(canvas.Canvas(), Rect(0, 0, 9, 8));
  EXPECT_EQ(BitmapColors(canvas), before);
}

}  // namespace
