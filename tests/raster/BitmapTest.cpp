// TBitmap: what new, resized and monochrome bitmaps contain, the pixel format
// rules, palettes, independent copies, BMP streams, and failures that leave a
// bitmap as it was.
#include <gtest/gtest.h>

#include <vector>

#include "Bitmap.h"
#include "Canvas.h"
#include "Exception.h"
#include "MemoryStream.h"
#include "SurfaceMessages.h"
#include "SystemPalettes.h"

namespace {

std::vector<TColor> Pixels(TBitmap& bitmap) {
  std::vector<TColor> colors;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) colors.push_back(bitmap.Canvas().PixelColor(x, y));
  return colors;
}

std::vector<TColor> Repeat(TColor color, int count) { return std::vector<TColor>(static_cast<std::size_t>(count), color); }

TEST(BitmapContent, NewBitmapIsEmptyFullColourAndWithoutCanvas) {
  TBitmap bitmap;
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 0);
  EXPECT_FALSE(bitmap.Monochrome());
  EXPECT_FALSE(bitmap.HasCanvas());
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
}

TEST(BitmapContent, SizedBitmapIsWhiteAndStaysWhiteWhenMadeMonochrome) {
  TBitmap bitmap;
  bitmap.SetWidth(4);
  bitmap.SetHeight(4);
  EXPECT_FALSE(bitmap.HasCanvas());
  EXPECT_EQ(Pixels(bitmap), Repeat(clWhite, 16));
  bitmap.SetMonochrome(true);
  EXPECT_TRUE(bitmap.Monochrome());
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_EQ(Pixels(bitmap), Repeat(clWhite, 16));
}

TEST(BitmapContent, OnlyTheBackgroundColourTurnsWhiteWhenMadeMonochrome) {
  TBitmap bitmap;
  bitmap.SetSize(4, 1);
  TCanvas& canvas = bitmap.Canvas();
  canvas.SetPixelColor(0, 0, RGB(254, 254, 254));
  canvas.SetPixelColor(1, 0, clSilver);
  canvas.SetPixelColor(2, 0, clWhite);
  canvas.SetPixelColor(3, 0, clRed);
  TBitmap withGreyBackground(bitmap);
  bitmap.SetMonochrome(true);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clBlack, clBlack, clWhite, clBlack}));

  // The background is the canvas's brush colour.
  withGreyBackground.Canvas().Brush.Color = clSilver;
  withGreyBackground.SetMonochrome(true);
  EXPECT_EQ(Pixels(withGreyBackground), (std::vector<TColor>{clBlack, clWhite, clBlack, clBlack}));

  // Back to full colour: the same black and white pixels.
  bitmap.SetMonochrome(false);
  EXPECT_FALSE(bitmap.Monochrome());
  EXPECT_EQ(bitmap.Image().BitCount(), 32);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clBlack, clBlack, clWhite, clBlack}));
}

TEST(BitmapContent, KindChosenWhileEmptyAppliesOnceSized) {
  TBitmap bitmap;
  bitmap.SetMonochrome(true);
  EXPECT_TRUE(bitmap.Monochrome());
  bitmap.SetSize(9, 2);
  EXPECT_TRUE(bitmap.Monochrome());
  EXPECT_EQ(bitmap.Image().BitCount(), 1);
  EXPECT_EQ(Pixels(bitmap), Repeat(clWhite, 18));

  // A depth chosen while empty stays too.
  TBitmap indexed;
  indexed.SetPixelFormat(TPixelFormat::pf8bit);
  indexed.SetSize(3, 3);
  EXPECT_EQ(indexed.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(Pixels(indexed), Repeat(clWhite, 9));
}

TEST(BitmapContent, ZeroHeightEmptiesAndALaterHeightFillsWhite) {
  TBitmap bitmap;
  bitmap.SetWidth(10);
  bitmap.SetHeight(0);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 10);
  bitmap.SetHeight(3);
  EXPECT_FALSE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 10);
  EXPECT_EQ(Pixels(bitmap), Repeat(clWhite, 30));
}

TEST(BitmapContent, SettingTheCurrentSizeOrKindChangesNothingAndTellsNoOne) {
  TBitmap bitmap;
  bitmap.SetSize(5, 5);
  bitmap.Canvas().SetPixelColor(1, 1, clRed);
  int changes = 0;
  bitmap.OnChange = [&](TGraphic&) { ++changes; };
  bitmap.SetWidth(5);
  bitmap.SetHeight(5);
  bitmap.SetMonochrome(false);
  bitmap.SetPixelFormat(TPixelFormat::pfDevice);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(bitmap.Canvas().PixelColor(1, 1), clRed);
  bitmap.SetWidth(6);
  EXPECT_EQ(changes, 1);
}

TEST(BitmapPixelFormat, DeviceIndependentFormatsGetTheirColourTables) {
  TBitmap bitmap;
  bitmap.SetSize(2, 2);
  TBitmap mono(bitmap), four(bitmap), eight(bitmap), sixteen(bitmap), fifteen(bitmap);
  mono.SetPixelFormat(TPixelFormat::pf1bit);
  EXPECT_EQ(mono.Image().ColorTable(), (std::vector<TPaletteEntry>{{0, 0, 0, 0}, {255, 255, 255, 0}}));
  four.SetPixelFormat(TPixelFormat::pf4bit);
  EXPECT_EQ(four.Image().ColorTable(), StandardColorPalette().Entries());
  eight.SetPixelFormat(TPixelFormat::pf8bit);
  EXPECT_EQ(eight.Image().ColorTable(), HalftonePalette().Entries());
  EXPECT_EQ(eight.Palette().Count(), 256);
  sixteen.SetPixelFormat(TPixelFormat::pf16bit);
  ASSERT_TRUE(sixteen.Image().BitFields().has_value());
  EXPECT_EQ(*sixteen.Image().BitFields(), (TBitFields{0xF800, 0x07E0, 0x001F}));
  fifteen.SetPixelFormat(TPixelFormat::pf15bit);
  EXPECT_EQ(fifteen.Image().BitCount(), 16);
  EXPECT_FALSE(fifteen.Image().BitFields().has_value());
}

TEST(BitmapPixelFormat, ImagesReportTheFormatTheirLayoutMeans) {
  const struct {
    TDib Image;
    TPixelFormat Expected;
  } cases[] = {
      {TDib(1, 1, 1, {{0, 0, 0, 0}, {255, 255, 255, 0}}), TPixelFormat::pf1bit},
      {TDib(1, 1, 4, StandardColorPalette().Entries()), TPixelFormat::pf4bit},
      {TDib(1, 1, 8), TPixelFormat::pf8bit},
      {TDib(1, 1, 16), TPixelFormat::pf15bit},
      {TDib(1, 1, 16, {}, TBitFields{0xF800, 0x07E0, 0x001F}), TPixelFormat::pf16bit},
      {TDib(1, 1, 16, {}, TBitFields{0x7C00, 0x03E0, 0x001F}), TPixelFormat::pfCustom},
      {TDib(1, 1, 24), TPixelFormat::pf24bit},
      {TDib(1, 1, 32), TPixelFormat::pf32bit},
      {TDib(1, 1, 32, {}, TBitFields{0xFF0000, 0x00FF00, 0x0000FF}), TPixelFormat::pfCustom},
  };
  for (const auto& c : cases) {
    TBitmap bitmap;
    bitmap.SetImage(c.Image);
    EXPECT_EQ(bitmap.PixelFormat(), c.Expected) << "bits " << c.Image.BitCount();
    // Whatever the depth, a device image reports the device format.
    bitmap.SetImage(c.Image, true);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
    EXPECT_EQ(bitmap.Monochrome(), c.Image.BitCount() == 1);
  }
}

TEST(BitmapPixelFormat, CustomFormatIsRefusedAndChangesNothing) {
  TBitmap bitmap;
  bitmap.SetSize(3, 2);
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.Canvas().SetPixelColor(2, 1, clNavy);
  const std::vector<TColor> before = Pixels(bitmap);
  try {
    bitmap.SetPixelFormat(TPixelFormat::pfCustom);
    FAIL() << "custom format was taken";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "Invalid pixel format");
  }
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(Pixels(bitmap), before);
}

TEST(BitmapPixelFormat, OneBitFromAnImageKeepsATwoColourTable) {
  TBitmap bitmap;
  bitmap.SetImage(TDib(2, 1, 8, {{255, 0, 0, 0}, {0, 0, 255, 0}}));
  bitmap.ScanLine(0)[1] = 1;
  bitmap.SetPixelFormat(TPixelFormat::pf1bit);
  EXPECT_EQ(bitmap.Image().ColorTable(), (std::vector<TPaletteEntry>{{255, 0, 0, 0}, {0, 0, 255, 0}}));
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clRed, clBlue}));

  // A longer table cannot be a 1-bit table: black and white it is.
  TBitmap halftone;
  halftone.SetSize(2, 1);
  halftone.Canvas().SetPixelColor(0, 0, clBlack);
  halftone.SetPixelFormat(TPixelFormat::pf8bit);
  halftone.SetPixelFormat(TPixelFormat::pf1bit);
  EXPECT_EQ(halftone.Image().ColorTable().size(), 2u);
  EXPECT_EQ(Pixels(halftone), (std::vector<TColor>{clBlack, clWhite}));
}

TEST(BitmapPalette, IndexedImageShowsItsTableAndTakesANewOne) {
  TBitmap bitmap;
  bitmap.SetImage(TDib(2, 1, 8, {{10, 20, 30, 0}, {40, 50, 60, 0}}));
  bitmap.ScanLine(0)[1] = 1;
  EXPECT_EQ(bitmap.Palette().Entries(), (std::vector<TPaletteEntry>{{10, 20, 30, 0}, {40, 50, 60, 0}}));
  bitmap.SetPalette(TPalette({{1, 2, 3, 0}, {4, 5, 6, 0}}));
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{RGB(1, 2, 3), RGB(4, 5, 6)}));
}

TEST(BitmapPalette, DeviceBitmapKeepsAGivenPaletteAndItsPixels) {
  TBitmap bitmap;
  bitmap.SetSize(2, 1);
  EXPECT_EQ(bitmap.Palette().Count(), 0);
  bitmap.Canvas().SetPixelColor(0, 0, clTeal);
  const TPalette palette({{1, 2, 3, 4}});
  bitmap.SetPalette(palette);
  EXPECT_EQ(bitmap.Palette(), palette);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clTeal, clWhite}));
  // Converting to 24 bits takes the bitmap's own palette as its table.
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_EQ(bitmap.Image().ColorTable(), palette.Entries());
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clTeal, clWhite}));
}

TEST(BitmapCopies, CopiesAreIndependentWhicheverSideChanges) {
  TBitmap original;
  original.SetSize(9, 2);
  original.SetPixelFormat(TPixelFormat::pf1bit);
  TBitmap copy(original);
  copy.Canvas().SetPixelColor(0, 0, clBlack);
  EXPECT_EQ(original.Canvas().PixelColor(0, 0), clWhite);

  // Writing through a row un-shares as well.
  TBitmap second(original);
  second.ScanLine(1)[1] = 0x00;
  EXPECT_EQ(second.Canvas().PixelColor(8, 1), clBlack);
  EXPECT_EQ(original.Canvas().PixelColor(8, 1), clWhite);
  original.ScanLine(0)[0] = 0x00;
  EXPECT_EQ(second.Canvas().PixelColor(0, 0), clWhite);

  // Assign and Clone copy too, and neither shares the canvas.
  TBitmap assigned;
  assigned.Assign(original);
  auto clone = original.Clone();
  original.Canvas().SetPixelColor(5, 1, clBlack);
  EXPECT_EQ(assigned.Canvas().PixelColor(5, 1), clWhite);
  EXPECT_EQ(static_cast<TBitmap&>(*clone).Canvas().PixelColor(5, 1), clWhite);
  EXPECT_EQ(assigned.PixelFormat(), TPixelFormat::pf1bit);
  EXPECT_NE(&assigned.Canvas(), &original.Canvas());
}

TEST(BitmapFailures, SizesBeyondTheStoreRaiseOutOfResourcesAndChangeNothing) {
  TBitmap bitmap;
  bitmap.SetSize(3, 3);
  bitmap.Canvas().SetPixelColor(1, 1, clGreen);
  for (const auto& size : {std::pair{1 << 20, 1 << 20}, std::pair{-1, 3}, std::pair{3, -5}}) {
    try {
      bitmap.SetSize(size.first, size.second);
      ADD_FAILURE() << "size " << size.first << " x " << size.second << " was taken";
    } catch (const EOutOfResources& e) {
      EXPECT_EQ(e.Message(), "Out of system resources");
    }
  }
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(bitmap.Canvas().PixelColor(1, 1), clGreen);
}

TEST(BitmapStreams, WrittenStripReadsBackWithItsPixels) {
  TBitmap bitmap;
  bitmap.SetMonochrome(true);
  bitmap.SetSize(33, 5);
  for (int i = 0; i < 5; ++i) bitmap.Canvas().SetPixelColor(i * 8, i, clBlack);
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  EXPECT_EQ(stream.Size(), 62 + 8 * 5);
  stream.SetPosition(0);
  TBitmap read;
  read.LoadFromStream(stream);
  EXPECT_EQ(read.Width(), 33);
  EXPECT_EQ(read.Height(), 5);
  EXPECT_EQ(read.PixelFormat(), TPixelFormat::pf1bit);
  EXPECT_EQ(Pixels(read), Pixels(bitmap));
}

TEST(BitmapStreams, FailedReadLeavesTheBitmapAsItWas) {
  TBitmap bitmap;
  bitmap.SetSize(4, 2);
  bitmap.Canvas().SetPixelColor(3, 1, clPurple);
  const std::vector<std::vector<std::uint8_t>> broken = {
      {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0, 0, 0},  // not a BMP
      {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0},                            // cut inside the file header
  };
  for (const auto& bytes : broken) {
    TMemoryStream stream(bytes);
    EXPECT_THROW(bitmap.LoadFromStream(stream), Exception);
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
    EXPECT_EQ(bitmap.Canvas().PixelColor(3, 1), clPurple);
  }
  // A new bitmap stays empty.
  TBitmap fresh;
  TMemoryStream gif(broken[0]);
  EXPECT_THROW(fresh.LoadFromStream(gif), Exception);
  EXPECT_TRUE(fresh.Empty());
}

TEST(BitmapStreams, EmptyStreamGivesAnEmptyBitmap) {
  TBitmap bitmap;
  bitmap.SetSize(2, 2);
  TMemoryStream empty;
  bitmap.LoadFromStream(empty);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 0);
  TMemoryStream written;
  bitmap.SaveToStream(written);
  EXPECT_EQ(written.Size(), 0);
}

}  // namespace
