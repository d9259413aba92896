// TBitmap: what new, resized and monochrome bitmaps hold, the pixel format
// and palette rules, independent copies, BMP streams, and failures that leave
// a bitmap as it was.
#include <gtest/gtest.h>

#include "BmpBuilder.h"
#include "Exception.h"
#include "MemoryStream.h"
#include "SurfaceMessages.h"
#include "SurfaceTesting.h"

namespace {

std::vector<TColor> All(TColor color, int count) { return std::vector<TColor>(std::size_t(count), color); }

TEST(BitmapContent, NewBitmapsAreWhiteAndStayWhiteWhenMadeMonochrome) {
  TBitmap bitmap;
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_FALSE(bitmap.Monochrome());
  EXPECT_FALSE(bitmap.HasCanvas());
  bitmap.SetWidth(4);
  bitmap.SetHeight(4);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_EQ(Pixels(bitmap), All(clWhite, 16));
  bitmap.SetMonochrome(true);
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_EQ(Pixels(bitmap), All(clWhite, 16));

  // A kind chosen while empty applies once sized; so does a depth.
  TBitmap mono, indexed;
  mono.SetMonochrome(true);
  mono.SetSize(9, 2);
  EXPECT_EQ(mono.Image().BitCount(), 1);
  EXPECT_EQ(Pixels(mono), All(clWhite, 18));
  indexed.SetPixelFormat(TPixelFormat::pf8bit);
  indexed.SetSize(3, 3);
  EXPECT_EQ(indexed.PixelFormat(), TPixelFormat::pf8bit);

  // Width 10 and height 0 is empty; a height later fills white.
  TBitmap flat;
  flat.SetWidth(10);
  flat.SetHeight(0);
  EXPECT_TRUE(flat.Empty());
  flat.SetHeight(3);
  EXPECT_EQ(Pixels(flat), All(clWhite, 30));
  // The other way round: rows without a byte, then a width.
  TBitmap tall;
  tall.SetHeight(3);
  tall.SetWidth(2);
  EXPECT_EQ(Pixels(tall), All(clWhite, 6));
}

TEST(BitmapContent, OnlyTheBackgroundColourTurnsWhiteWhenMadeMonochrome) {
  TBitmap bitmap;
  Row(bitmap, {RGB(254, 254, 254), clSilver, clWhite, clRed});
  TBitmap greyBackground(bitmap);
  bitmap.SetMonochrome(true);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clBlack, clBlack, clWhite, clBlack}));
  greyBackground.Canvas().Brush.Color = clSilver;  // the canvas's brush colour is the background
  greyBackground.SetMonochrome(true);
  EXPECT_EQ(Pixels(greyBackground), (std::vector<TColor>{clBlack, clWhite, clBlack, clBlack}));
  bitmap.SetMonochrome(false);
  EXPECT_EQ(bitmap.Image().BitCount(), 32);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clBlack, clBlack, clWhite, clBlack}));
}

// A run-length picture's pixels that no code reached are index 0, whichever
// colour that is, also where the reader marked them so as not to read them.
TEST(BitmapContent, UnreachedRunLengthPixelsTakeIndexZerosColourWhenMadeMonochrome) {
  constexpr std::uint32_t Rle8 = 1;
  for (const auto& [zero, one] : {std::pair{clWhite, clBlack}, {clBlack, clWhite}}) {
    // 12 x 2: a delta to x = 1 of the bottom row, one pixel of index 1, end.
    const std::vector<std::uint8_t> codes = {0, 2, 1, 0, 1, 1, 0, 1};
    TMemoryStream file(TBmpBuilder()
                           .FileHeader()
                           .InfoHeader({.Width = 12, .Height = 2, .BitCount = 8, .Compression = Rle8, .ClrUsed = 2})
                           .Colors({zero, one})
                           .Pixels(codes)
                           .Build());
    TBitmap bitmap;
    bitmap.LoadFromStream(file);
    bitmap.SetMonochrome(true);
    std::vector<TColor> expected = All(zero, 24);
    expected[13] = one;
    EXPECT_EQ(Pixels(bitmap), expected);
  }
}

TEST(BitmapContent, SettingWhatIsAlreadySetChangesNothingAndTellsNoOne) {
  TBitmap bitmap;
  Row(bitmap, {clRed, clBlue});
  int changes = 0;
  bitmap.OnChange = [&](TGraphic&) { ++changes; };
  bitmap.SetSize(2, 1);
  bitmap.SetMonochrome(false);
  bitmap.SetPixelFormat(TPixelFormat::pfDevice);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clRed, clBlue}));
}

TEST(BitmapPixelFormat, FormatsReportedAndTheTablesOfConversions) {
  const struct {
    TPixelImage Image;
    TPixelFormat Reported;
  } images[] = {
      {TPixelImage(1, 1, 16), TPixelFormat::pf15bit},
      {TPixelImage(1, 1, 16, {}, TBitFields{0xF800, 0x07E0, 0x001F}), TPixelFormat::pf16bit},
      {TPixelImage(1, 1, 16, {}, TBitFields{0x7C00, 0x03E0, 0x001F}), TPixelFormat::pfCustom},
      {TPixelImage(1, 1, 32, {}, TBitFields{0xFF0000, 0x00FF00, 0x0000FF}), TPixelFormat::pfCustom},
      {TPixelImage(1, 1, 4), TPixelFormat::pf4bit},
  };
  for (const auto& c : images) {
    TBitmap bitmap;
    bitmap.SetImage(c.Image);
    EXPECT_EQ(bitmap.PixelFormat(), c.Reported);
    bitmap.SetImage(c.Image, true);  // a device image, whatever its depth
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
  }
  TBitmap device;
  device.SetSize(2, 2);
  TBitmap one(device), four(device), eight(device), sixteen(device);
  one.SetPixelFormat(TPixelFormat::pf1bit);
  EXPECT_EQ(one.Image().ColorTable(), formats::BlackWhite);
  four.SetPixelFormat(TPixelFormat::pf4bit);
  EXPECT_EQ(four.Palette(), StandardColorPalette());
  eight.SetPixelFormat(TPixelFormat::pf8bit);
  EXPECT_EQ(eight.Palette(), HalftonePalette());
  sixteen.SetPixelFormat(TPixelFormat::pf16bit);
  EXPECT_EQ(sixteen.Image().BitFields(), (TBitFields{0xF800, 0x07E0, 0x001F}));
}

TEST(BitmapPixelFormat, OneBitKeepsAnImagesTwoColourTableAndRefusesLongerOnes) {
  TBitmap two;
  two.SetImage(TPixelImage(2, 1, 8, {{255, 0, 0, 0}, {0, 0, 255, 0}}));
  two.ScanLine(0)[1] = 1;
  two.SetPixelFormat(TPixelFormat::pf1bit);
  EXPECT_EQ(two.Image().ColorTable().size(), 2u);
  EXPECT_EQ(Pixels(two), (std::vector<TColor>{clRed, clBlue}));
  TBitmap halftone;
  Row(halftone, {clBlack, clWhite});
  halftone.SetPixelFormat(TPixelFormat::pf8bit);
  halftone.SetPixelFormat(TPixelFormat::pf1bit);
  EXPECT_EQ(halftone.Image().ColorTable(), formats::BlackWhite);
  EXPECT_EQ(Pixels(halftone), (std::vector<TColor>{clBlack, clWhite}));
}

TEST(BitmapPalette, ATableIsReplacedAndADeviceBitmapKeepsItsPalette) {
  TBitmap indexed;
  indexed.SetImage(TPixelImage(2, 1, 8, {{10, 20, 30, 0}, {40, 50, 60, 0}}));
  indexed.ScanLine(0)[1] = 1;
  EXPECT_EQ(indexed.Palette().Count(), 2);
  indexed.SetPalette(TPalette({{1, 2, 3, 0}, {4, 5, 6, 0}}));
  EXPECT_EQ(Pixels(indexed), (std::vector<TColor>{RGB(1, 2, 3), RGB(4, 5, 6)}));

  TBitmap device;
  Row(device, {clTeal});
  EXPECT_EQ(device.Palette().Count(), 0);
  const TPalette palette({{1, 2, 3, 4}});
  device.SetPalette(palette);
  EXPECT_EQ(device.Palette(), palette);
  EXPECT_EQ(Pixels(device), std::vector<TColor>{clTeal});
  device.SetPixelFormat(TPixelFormat::pf24bit);  // its own palette becomes the table
  EXPECT_EQ(device.Image().ColorTable(), palette.Entries());
}

TEST(BitmapCopies, CopiesAreIndependentWhicheverSideWritesAndHowever) {
  TBitmap original;
  original.SetSize(9, 2);
  original.SetPixelFormat(TPixelFormat::pf1bit);
  TBitmap copy(original), rows(original), assigned;
  assigned.Assign(original);
  const auto clone = original.Clone();
  copy.Canvas().SetPixelColor(0, 0, clBlack);
  rows.ScanLine(1)[1] = 0x00;  // pixel 8 of row 1
  original.Canvas().SetPixelColor(5, 1, clBlack);
  EXPECT_EQ(Pixels(copy), [] { auto p = All(clWhite, 18); p[0] = clBlack; return p; }());
  EXPECT_EQ(Pixels(rows), [] { auto p = All(clWhite, 18); p[17] = clBlack; return p; }());
  EXPECT_EQ(Pixels(original), [] { auto p = All(clWhite, 18); p[14] = clBlack; return p; }());
  EXPECT_EQ(Pixels(assigned), All(clWhite, 18));
  EXPECT_EQ(Pixels(static_cast<TBitmap&>(*clone)), All(clWhite, 18));
  EXPECT_EQ(assigned.PixelFormat(), TPixelFormat::pf1bit);
}

TEST(BitmapFailures, RefusedSizesAndFormatsChangeNothing) {
  TBitmap bitmap;
  Row(bitmap, {clGreen, clNavy});
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  for (const auto& [w, h] : {std::pair{1 << 20, 1 << 20}, std::pair{-1, 3}}) {
    try {
      bitmap.SetSize(w, h);
      ADD_FAILURE() << w << " x " << h;
    } catch (const EOutOfResources& e) {
      EXPECT_EQ(e.Message(), "Out of system resources");
    }
  }
  try {
    bitmap.SetPixelFormat(TPixelFormat::pfCustom);
    ADD_FAILURE() << "custom format taken";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "Invalid pixel format");
  }
  try {
    bitmap.ScanLine(1);
    ADD_FAILURE() << "row 1 given";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "Scan line index out of range");
  }
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{clGreen, clNavy}));
}

TEST(BitmapStreams, WrittenPictureReadsBackAndFailedReadsLeaveTheBitmapAsItWas) {
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
  EXPECT_EQ(read.PixelFormat(), TPixelFormat::pf1bit);
  const std::vector<TColor> pixels = Pixels(read);
  EXPECT_EQ(pixels, Pixels(bitmap));

  for (const std::vector<std::uint8_t>& bytes : {std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0},
                                                 std::vector<std::uint8_t>{'B', 'M', 0, 0, 0, 0}}) {
    TMemoryStream broken(bytes);
    EXPECT_THROW(read.LoadFromStream(broken), Exception);
    EXPECT_EQ(read.PixelFormat(), TPixelFormat::pf1bit);
    EXPECT_EQ(Pixels(read), pixels);
  }
  TMemoryStream empty;  // an empty file is an empty picture, written as nothing
  read.LoadFromStream(empty);
  EXPECT_TRUE(read.Empty());
  read.SaveToStream(empty);
  EXPECT_EQ(empty.Size(), 0);
}

}  // namespace
