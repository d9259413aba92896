// Every pixel format at widths that cross byte and row-padding edges: pixels
// written and read back, the row layout, filled runs, conversions, resizing.
#include <gtest/gtest.h>

#include <string>

#include "SurfaceMessages.h"
#include "SurfaceTesting.h"

using namespace formats;

namespace {

constexpr int Rows = 3;

void WriteSamples(TBitmap& bitmap, int seed) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.Canvas().SetPixelColor(x, y, Sample(seed + y * 97 + x));
}

template <class Case>
class PixelFormatTest : public ::testing::Test {};
using AllFormats = ::testing::Types<Device, DeviceMono, Bits1, Bits4, Bits8, Bits15, Bits16, Bits24, Bits32>;
TYPED_TEST_SUITE(PixelFormatTest, AllFormats);

TYPED_TEST(PixelFormatTest, PixelsReadBackAsCloseAsTheFormatAllowsWithoutTouchingNeighbours) {
  for (const int width : Widths) {
    SCOPED_TRACE("width " + std::to_string(width));
    TBitmap bitmap;
    TypeParam::Make(bitmap, width, Rows);
    ASSERT_EQ(bitmap.PixelFormat(), TypeParam::Format);
    WriteSamples(bitmap, width);
    const std::vector<TColor> stored = Pixels(bitmap);
    for (int i = 0; i < width * Rows; ++i)
      ASSERT_TRUE(StoredAsClosely<TypeParam>(Sample(width + i / width * 97 + i % width), stored[std::size_t(i)])) << i;
    // What the format holds, written again, stays.
    for (int i = 0; i < width * Rows; ++i) bitmap.Canvas().SetPixelColor(i % width, i / width, stored[std::size_t(i)]);
    EXPECT_EQ(Pixels(bitmap), stored);
  }
}

TYPED_TEST(PixelFormatTest, RowsArePaddedToFourBytesAndHoldPixelsWhereTheLayoutSays) {
  for (const int width : Widths) {
    SCOPED_TRACE("width " + std::to_string(width));
    TBitmap bitmap;
    TypeParam::Make(bitmap, width, Rows);
    for (int y = 0; y < Rows; ++y) std::fill_n(bitmap.ScanLine(y), bitmap.Image().RowBytes(), std::uint8_t{0});
    EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), (width * TypeParam::Bits + 31) / 32 * 4);
    TypeParam::PutKnown(bitmap.ScanLine(Rows - 1), width - 1);
    TypeParam::PutKnown(bitmap.ScanLine(0), 0);
    std::vector<TColor> expected(std::size_t(width * Rows), clBlack);
    expected.front() = expected.back() = TypeParam::Known;
    EXPECT_EQ(Pixels(bitmap), expected);

    for (const int y : {-1, Rows}) {
      EXPECT_THROW(bitmap.ScanLine(y), EInvalidGraphicOperation);
      EXPECT_THROW(static_cast<const TBitmap&>(bitmap).ScanLine(y), EInvalidGraphicOperation);
    }
    EXPECT_EQ(Pixels(bitmap), expected);
  }
}

TYPED_TEST(PixelFormatTest, FilledRunsCoverExactlyTheirPixelsFromAnyStartColumn) {
  for (const int width : Widths) {
    SCOPED_TRACE("width " + std::to_string(width));
    TBitmap pattern;
    TypeParam::Make(pattern, width, Rows);
    WriteSamples(pattern, 11 * width);
    const std::vector<TColor> before = Pixels(pattern);
    for (int x1 = 0; x1 < width; ++x1)
      for (int x2 = x1 + 1; x2 <= width; ++x2) {
        TBitmap bitmap(pattern);
        bitmap.Canvas().Brush.Color = clBlack;
        bitmap.Canvas().FillRect(TRect{x1, 1, x2, 2});
        std::vector<TColor> expected = before;
        std::fill(expected.begin() + width + x1, expected.begin() + width + x2, clBlack);
        ASSERT_EQ(Pixels(bitmap), expected) << "run " << x1 << ".." << x2;
      }
  }
}

TYPED_TEST(PixelFormatTest, ConversionsKeepWhatTheFormatHolds) {
  for (const int width : Widths) {
    SCOPED_TRACE("width " + std::to_string(width));
    // Converting full colour into the format stores what writing into it does.
    TBitmap converted;
    converted.SetSize(width, Rows);
    WriteSamples(converted, 3 * width);
    converted.SetPixelFormat(TypeParam::Monochrome ? TPixelFormat::pf1bit : TypeParam::Format);
    converted.SetPixelFormat(TypeParam::Format);
    ASSERT_EQ(converted.Monochrome(), TypeParam::Bits == 1);
    TBitmap direct;
    TypeParam::Make(direct, width, Rows);
    WriteSamples(direct, 3 * width);
    const std::vector<TColor> held = Pixels(direct);
    EXPECT_EQ(Pixels(converted), held);
    // 24 and 32 bits and the device format keep every colour, both ways.
    for (const TPixelFormat wide : {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pfDevice}) {
      TBitmap copy(direct);
      copy.SetPixelFormat(wide);
      EXPECT_EQ(Pixels(copy), held);
      copy.SetPixelFormat(TypeParam::Format);
      EXPECT_EQ(Pixels(copy), held);
    }
  }
}

TYPED_TEST(PixelFormatTest, ResizingKeepsTheFormatAndTopLeftAndFillsTheNewArea) {
  for (const int width : Widths) {
    SCOPED_TRACE("width " + std::to_string(width));
    TBitmap bitmap;
    TypeParam::Make(bitmap, width, Rows);
    WriteSamples(bitmap, 7 * width);
    const std::vector<TColor> before = Pixels(bitmap);
    bitmap.Canvas().Brush.Color = clBlack;  // with a canvas, the new area takes its brush colour
    bitmap.SetWidth(width + 9);
    bitmap.SetHeight(Rows + 1);
    EXPECT_EQ(bitmap.PixelFormat(), TypeParam::Format);
    std::vector<TColor> expected(std::size_t((width + 9) * (Rows + 1)), clBlack);
    for (int i = 0; i < width * Rows; ++i) expected[std::size_t(i / width * (width + 9) + i % width)] = before[std::size_t(i)];
    EXPECT_EQ(Pixels(bitmap), expected);
    bitmap.SetSize((width + 1) / 2, 1);
    EXPECT_EQ(Pixels(bitmap), std::vector<TColor>(before.begin(), before.begin() + (width + 1) / 2));
  }
}

}  // namespace
