// Every pixel format of a bitmap at widths that cross byte and row-padding
// edges: pixels written and read back, the row layout, conversions between
// formats and resizing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Bitmap.h"
#include "Canvas.h"
#include "PixelFormatCases.h"
#include "SurfaceMessages.h"

using namespace pixel_cases;

namespace {

constexpr int Rows = 3;

std::vector<TColor> ReadAll(TBitmap& bitmap) {
  std::vector<TColor> colors;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) colors.push_back(bitmap.Canvas().PixelColor(x, y));
  return colors;
}

void WriteSamples(TBitmap& bitmap, int seed) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.Canvas().SetPixelColor(x, y, SampleColor(seed + y * 97 + x));
}

template <class Case>
class PixelFormatTest : public ::testing::Test {};

struct CaseNames {
  template <class Case>
  static std::string GetName(int) {
    std::string name = Case::Name;
    for (char& c : name)
      if (c == ' ') c = '_';
    return name;
  }
};

using AllFormats = ::testing::Types<Device, DeviceMono, Bits1, Bits4, Bits8, Bits15, Bits16, Bits24, Bits32>;
TYPED_TEST_SUITE(PixelFormatTest, AllFormats, CaseNames);

TYPED_TEST(PixelFormatTest, PixelsReadBackAsCloseAsTheFormatAllowsWithoutTouchingNeighbours) {
  for (const int width : Widths) {
    SCOPED_TRACE("width " + std::to_string(width));
    TBitmap bitmap;
    MakeBitmap<TypeParam>(bitmap, width, Rows);
    ASSERT_EQ(bitmap.PixelFormat(), TypeParam::Format);
    WriteSamples(bitmap, width);
    const std::vector<TColor> stored = ReadAll(bitmap);
    for (int i = 0; i < width * Rows; ++i) {
      const TColor written = SampleColor(width + (i / width) * 97 + i % width);
      ASSERT_TRUE(StoredAsClosely<TypeParam>(written, stored[static_cast<std::size_t>(i)]))
          << "pixel " << i << " written " << std::hex << written << " read " << stored[static_cast<std::size_t>(i)];
    }
    // What the format stores, stored again, stays as it is.
    for (int y = 0; y < Rows; ++y)
      for (int x = 0; x < width; ++x) bitmap.Canvas().SetPixelColor(x, y, stored[static_cast<std::size_t>(y * width + x)]);
    EXPECT_EQ(ReadAll(bitmap), stored);
  }
}

TYPED_TEST(PixelFormatTest, RowsArePaddedToFourBytesAndHoldPixelsWhereTheLayoutSays) {
  for (const int width : Widths) {
    SCOPED_TRACE("width " + std::to_string(width));
    TBitmap bitmap;
    MakeBitmap<TypeParam>(bitmap, width, Rows);
    // Start from black everywhere (entry 0 of every table here, 0 bits otherwise).
    for (int y = 0; y < Rows; ++y)
      std::fill_n(bitmap.ScanLine(y), bitmap.Image().RowBytes(), std::uint8_t{0});
    EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), (width * TypeParam::Bits + 31) / 32 * 4);
    const int x = width - 1;
    TypeParam::PutKnown(bitmap.ScanLine(Rows - 1), x);
    TypeParam::PutKnown(bitmap.ScanLine(0), 0);
    for (int y = 0; y < Rows; ++y)
      for (int i = 0; i < width; ++i) {
        const bool known = (y == Rows - 1 && i == x) || (y == 0 && i == 0);
        ASSERT_EQ(bitmap.Canvas().PixelColor(i, y), known ? TypeParam::Known : clBlack) << "pixel " << i << "," << y;
      }
  }
}

TYPED_TEST(PixelFormatTest, RowsOutsideTheImageAreRefusedWithoutChange) {
  TBitmap bitmap;
  MakeBitmap<TypeParam>(bitmap, 9, Rows);
  WriteSamples(bitmap, 5);
  const std::vector<TColor> before = ReadAll(bitmap);
  const TBitmap& view = bitmap;
  for (const int y : {-1, Rows, 1 << 30}) {
    try {
      bitmap.ScanLine(y);
      ADD_FAILURE() << "row " << y << " was given";
    } catch (const EInvalidGraphicOperation& e) {
      EXPECT_EQ(e.Message(), "Scan line index out of range");
    }
    EXPECT_THROW(view.ScanLine(y), EInvalidGraphicOperation);
  }
  EXPECT_EQ(ReadAll(bitmap), before);
  TBitmap empty;
  EXPECT_THROW(empty.ScanLine(0), EInvalidGraphicOperation);
}

TYPED_TEST(PixelFormatTest, FilledRunsCoverExactlyTheirPixelsFromAnyStartColumn) {
  for (const int width : Widths) {
    SCOPED_TRACE("width " + std::to_string(width));
    TBitmap pattern;
    MakeBitmap<TypeParam>(pattern, width, Rows);
    WriteSamples(pattern, 11 * width);
    const std::vector<TColor> before = ReadAll(pattern);
    for (int x1 = 0; x1 < width; ++x1)
      for (int x2 = x1 + 1; x2 <= width; ++x2) {
        TBitmap bitmap(pattern);
        bitmap.Canvas().Brush.Color = clBlack;
        bitmap.Canvas().FillRect(TRect{x1, 1, x2, 2});
        const std::vector<TColor> after = ReadAll(bitmap);
        for (int i = 0; i < width * Rows; ++i) {
          const bool filled = i / width == 1 && i % width >= x1 && i % width < x2;
          ASSERT_EQ(after[static_cast<std::size_t>(i)], filled ? clBlack : before[static_cast<std::size_t>(i)])
              << "run " << x1 << ".." << x2 << " pixel " << i;
        }
      }
  }
}

TYPED_TEST(PixelFormatTest, ConversionsKeepWhatTheFormatHolds) {
  for (const int width : Widths) {
    SCOPED_TRACE("width " + std::to_string(width));
    // Colours written to a full-colour bitmap and converted into the format
    // come out as close as writing them into the format directly.
    TBitmap converted;
    converted.SetSize(width, Rows);
    WriteSamples(converted, 3 * width);
    if (TypeParam::Monochrome) converted.SetPixelFormat(TPixelFormat::pf1bit);
    converted.SetPixelFormat(TypeParam::Format);
    if (TypeParam::Monochrome) converted.SetPixelFormat(TPixelFormat::pfDevice);
    ASSERT_EQ(converted.PixelFormat(), TypeParam::Format);
    ASSERT_EQ(converted.Monochrome(), TypeParam::Bits == 1);
    TBitmap direct;
    MakeBitmap<TypeParam>(direct, width, Rows);
    WriteSamples(direct, 3 * width);
    const std::vector<TColor> held = ReadAll(direct);
    EXPECT_EQ(ReadAll(converted), held);

    // 24 and 32 bits and the device format keep every colour: going there and
    // back changes nothing.
    for (const TPixelFormat wide : {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pfDevice}) {
      TBitmap copy(direct);
      copy.SetPixelFormat(wide);
      EXPECT_EQ(ReadAll(copy), held);
      copy.SetPixelFormat(TypeParam::Format);
      EXPECT_EQ(ReadAll(copy), held);
    }
  }
}

TYPED_TEST(PixelFormatTest, ResizingKeepsTheTopLeftAndFillsTheNewArea) {
  for (const int width : Widths) {
    SCOPED_TRACE("width " + std::to_string(width));
    TBitmap bitmap;
    MakeBitmap<TypeParam>(bitmap, width, Rows);
    WriteSamples(bitmap, 7 * width);
    const std::vector<TColor> before = ReadAll(bitmap);

    bitmap.SetWidth(width + 9);
    bitmap.SetHeight(Rows + 2);
    EXPECT_EQ(bitmap.PixelFormat(), TypeParam::Format);
    for (int y = 0; y < Rows + 2; ++y)
      for (int x = 0; x < width + 9; ++x) {
        const TColor expected = (y < Rows && x < width) ? before[static_cast<std::size_t>(y * width + x)] : clWhite;
        ASSERT_EQ(bitmap.Canvas().PixelColor(x, y), expected) << "pixel " << x << "," << y;
      }

    // With a canvas, the new area takes its brush colour.
    bitmap.Canvas().Brush.Color = clBlack;
    bitmap.SetSize(width + 10, Rows + 2);
    for (int y = 0; y < Rows + 2; ++y) ASSERT_EQ(bitmap.Canvas().PixelColor(width + 9, y), clBlack);

    // Shrinking keeps the top-left too.
    bitmap.SetSize((width + 1) / 2, 1);
    for (int x = 0; x < (width + 1) / 2; ++x)
      ASSERT_EQ(bitmap.Canvas().PixelColor(x, 0), before[static_cast<std::size_t>(x)]);
  }
}

}  // namespace
