// Importing bitmaps as frames: the reduction road into the 216-colour cube,
// the palette road, the 24-bit road, the logical screen's growth, the other
// sources a frame can be loaded from, and progress.
#include <gtest/gtest.h>

#include "GIFReduce.h"
#include "ImportTesting.h"
#include "Picture.h"
#include "RaisedBy.h"
#include "SurfaceMessages.h"

namespace {

TColor Mixed(int x, int y) { return RGB(static_cast<std::uint8_t>(x * 37), static_cast<std::uint8_t>(y * 53), 200); }

TEST(BitmapImport, DefaultSettingsMapEveryPixelIntoTheCube) {
  struct TCase {
    TColor Pixel;
    int Index;
    TColor Chosen;
  };
  const std::vector<TCase> cases = {
      {RGB(0, 0, 0), 0, RGB(0, 0, 0)},
      {RGB(255, 255, 255), 215, RGB(255, 255, 255)},
      {RGB(47, 48, 200), 9, RGB(0, 51, 153)},
      {RGB(251, 0, 0), 4 * 36, RGB(204, 0, 0)},
      {RGB(252, 0, 0), 5 * 36, RGB(255, 0, 0)},
  };
  for (bool device : {true, false}) {
    SCOPED_TRACE(device ? "device-dependent" : "24-bit");
    const auto color = [&](int x, int) { return cases[static_cast<std::size_t>(x)].Pixel; };
    TBitmap bitmap = device ? MakeDeviceBitmap(5, 2, color) : MakeBitmap(5, 2, 24, color);
    TGIFImage image;
    ASSERT_EQ(image.AppendFrame(bitmap), 0);
    TGIFSubImage& frame = image.Frames()[0];
    EXPECT_EQ(frame.Left(), 0);
    EXPECT_EQ(frame.Top(), 0);
    EXPECT_EQ(frame.Width(), 5);
    EXPECT_EQ(frame.Height(), 2);
    ASSERT_EQ(frame.LocalMap().Count(), 256);
    for (int i = 0; i < 216; ++i)
      ASSERT_EQ(frame.LocalMap().ColorAt(i), RGB(51 * (i / 36), 51 * (i / 6 % 6), 51 * (i % 6))) << i;
    for (int i = 216; i < 256; ++i) ASSERT_EQ(frame.LocalMap().ColorAt(i), clBlack) << i;
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(frame.PixelIndex(x, 1), cases[static_cast<std::size_t>(x)].Index) << x;
      EXPECT_EQ(frame.LocalMap().ColorAt(frame.PixelIndex(x, 0)), cases[static_cast<std::size_t>(x)].Chosen) << x;
    }
    EXPECT_FALSE(frame.LocalMap().IsSorted());
    ASSERT_NE(frame.CachedBitmap(), nullptr);
    EXPECT_EQ(frame.CachedBitmap()->PixelFormat(), TPixelFormat::pf8bit) << "the frame is shown from the reduced image";
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit) << "the source itself is left at 24 bits";
    EXPECT_EQ(bitmap.Image().GetPixel(2, 0), RGB(47, 48, 200)) << "with its colours";
  }
}

TEST(BitmapImport, EqualPixelsGetEqualIndicesWithoutDiffusion) {
  // One colour scattered among changing neighbours, over rows walked in both directions.
  const TColor probe = RGB(120, 33, 210);
  TBitmap bitmap = MakeBitmap(9, 6, 24, [&](int x, int y) { return (x + y) % 3 == 0 ? probe : Mixed(x, y); });
  TGIFImage image;
  image.AppendFrame(bitmap);
  TGIFSubImage& frame = image.Frames()[0];
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x)
      if ((x + y) % 3 == 0) {
        ASSERT_EQ(frame.PixelIndex(x, y), frame.PixelIndex(0, 0)) << x << "," << y;
      }
}

TEST(BitmapImport, PaletteBitmapsKeepTheirTableAndIndices) {
  const std::vector<TPaletteEntry> table = {{200, 0, 0, 0}, {0, 0, 200, 0}, {0, 150, 0, 0}, {9, 9, 9, 0}};
  for (int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    const int colors = bits == 1 ? 2 : 4;
    std::vector<TPaletteEntry> own(table.begin(), table.begin() + colors);
    const auto color = [&](int x, int y) {
      const TPaletteEntry& e = own[static_cast<std::size_t>((x * 3 + y) % colors)];
      return RGB(e.peRed, e.peGreen, e.peBlue);
    };
    // 13 columns: a 1-bit row that ends inside its second byte, a 4-bit row inside a byte.
    TBitmap bitmap = MakeBitmap(13, 3, bits, color, own);
    const TPixelFormat format = bitmap.PixelFormat();
    TGIFImage image;
    image.AppendFrame(bitmap);
    TGIFSubImage& frame = image.Frames()[0];
    EXPECT_EQ(bitmap.PixelFormat(), format) << "no reduction touches the source";
    ASSERT_EQ(frame.LocalMap().Count(), colors);
    for (int i = 0; i < colors; ++i) {
      const TPaletteEntry& e = own[static_cast<std::size_t>(i)];
      EXPECT_EQ(frame.LocalMap().ColorAt(i), RGB(e.peRed, e.peGreen, e.peBlue)) << "palette order";
    }
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 13; ++x) ASSERT_EQ(frame.PixelIndex(x, y), (x * 3 + y) % colors) << x << "," << y;
    ASSERT_NE(frame.CachedBitmap(), nullptr);
    EXPECT_EQ(frame.CachedBitmap()->PixelFormat(), format);
  }
}

TEST(BitmapImport, LogicalScreenGrowsWithLargerFramesOnly) {
  TGIFImage image;
  TReports reports;
  reports.Attach(image);
  for (int k = 0; k < 4; ++k) {
    TBitmap frame = MakeBitmap(101, 64, 24, Mixed);
    EXPECT_EQ(image.AppendFrame(frame), k);
  }
  EXPECT_EQ(image.Width(), 101);
  EXPECT_EQ(image.Height(), 64);
  EXPECT_TRUE(reports.Warnings.empty());

  TBitmap larger = MakeBitmap(120, 70, 24, Mixed);
  image.AppendFrame(larger);
  EXPECT_EQ(image.Width(), 120);
  EXPECT_EQ(image.Height(), 70);
  EXPECT_EQ(reports.Warnings,
            (std::vector<std::string>{sBadWidth, sScreenSizeExceeded, sBadHeight, sScreenSizeExceeded}));

  reports.Warnings.clear();
  TBitmap smaller = MakeBitmap(16, 16, 24, Mixed);
  image.AppendFrame(smaller);
  EXPECT_EQ(image.Width(), 120);
  EXPECT_EQ(image.Height(), 70);
  EXPECT_TRUE(reports.Warnings.empty());
  EXPECT_EQ(image.Frames().Count(), 6);
}

TEST(BitmapImport, EmptyBitmapGivesAnEmptyFrame) {
  TGIFImage image;
  TBitmap empty;
  EXPECT_EQ(image.AppendFrame(empty), 0);
  TGIFSubImage& frame = image.Frames()[0];
  EXPECT_TRUE(frame.Empty());
  EXPECT_EQ(frame.PixelCount(), 0);
  EXPECT_EQ(frame.LocalMap().Count(), 0);
  EXPECT_EQ(image.Width(), 0);
}

TEST(BitmapImport, SidesBeyondWhatAFrameHoldsAreRefused) {
  for (const auto& [width, height] : {std::pair{65536, 1}, std::pair{1, 65536}}) {
    TGIFImage image;
    TBitmap bitmap = MakeBitmap(width, height, 24, [](int, int) { return clRed; });
    EXPECT_EQ(RaisedBy([&] { image.AppendFrame(bitmap); }), sBadDimension);
    EXPECT_EQ(image.Frames().Count(), 0);
  }
}

TEST(BitmapImport, TrueColourRoadKeepsDistinctColoursUpTo256) {
  // Colours in a zigzag so that the recent-colour cache both hits and misses.
  const auto distinct = [](int n) {
    return [n](int x, int y) {
      const int i = (y * 16 + x) % n;
      return RGB(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i * 7));
    };
  };
  TGIFImage image;
  image.SetReductionMethod(rmNone);
  TBitmap full = MakeBitmap(16, 20, 24, distinct(256));
  image.AppendFrame(full);
  TGIFSubImage& frame = image.Frames()[0];
  ASSERT_EQ(frame.LocalMap().Count(), 256);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(frame.LocalMap().ColorAt(i), distinct(256)(i % 16, i / 16)) << i;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(frame.PixelIndex(x, y), (y * 16 + x) % 256);

  TBitmap tooMany = MakeBitmap(16, 20, 24, distinct(257));
  EXPECT_EQ(RaisedBy([&] { image.AppendFrame(tooMany); }), sTooManyColors);
  EXPECT_EQ(image.Frames().Count(), 1);
}

TEST(BitmapImport, RecentColourCacheAnswersRepeatsLikeTheTable) {
  // Runs of a few colours that come back after more than eight others.
  const auto color = [](int x, int y) {
    const int i = (x / 2 + y * 3) % 11;
    return RGB(static_cast<std::uint8_t>(20 * i), 7, static_cast<std::uint8_t>(255 - 20 * i));
  };
  TGIFImage image;
  image.SetReductionMethod(rmNone);
  TBitmap bitmap = MakeBitmap(40, 5, 24, color);
  image.AppendFrame(bitmap);
  TGIFSubImage& frame = image.Frames()[0];
  EXPECT_EQ(frame.LocalMap().Count(), 11);
  std::vector<TColor> expected;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 40; ++x) expected.push_back(color(x, y));
  EXPECT_EQ(FrameColors(frame), expected);
}

TEST(BitmapImport, FailuresLeaveTheFramesAsTheyWere) {
  struct TCase {
    const char* Name;
    std::uint8_t Method;
    std::uint8_t Dither;
    std::string Error;
  };
  const std::vector<TCase> cases = {
      {"custom palette without a palette", rmPalette, 0, SScanLineOutOfRange},
      {"method above 9", 10, 0, SScanLineOutOfRange},
      {"dither kind above 6", 6, 7, SScanLineOutOfRange},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TGIFImage image;
    TReports reports;
    reports.Attach(image);
    image.SetReductionMethod(c.Method);
    image.SetDitherKind(c.Dither);
    TBitmap bitmap = MakeBitmap(4, 4, 24, Mixed);
    EXPECT_EQ(RaisedBy([&] { image.AppendFrame(bitmap); }), c.Error);
    EXPECT_EQ(image.Frames().Count(), 0);
    EXPECT_EQ(image.Width(), 4) << "the screen the bounds had grown stays";
    ASSERT_FALSE(reports.Progress.empty());
    EXPECT_EQ(reports.Progress.back(), "2:0") << "the ending is sent after a failure, with 0";
  }
}

TEST(BitmapImport, ProgressEveryThirtyTwoRows) {
  TGIFImage image;
  TReports reports;
  reports.Attach(image);
  TBitmap bitmap = MakeBitmap(3, 70, 24, Mixed);
  image.AppendFrame(bitmap);
  EXPECT_EQ(reports.Progress, (std::vector<std::string>{"0:0", "1:0", "1:46", "1:91", "2:100"}));
}

TEST(BitmapImport, OtherSources) {
  TGIFImage image;
  TBitmap bitmap = MakeBitmap(6, 5, 24, Mixed);
  image.AppendFrame(bitmap);
  TGIFSubImage& first = image.Frames()[0];

  TGIFSubImage copy(&image);
  copy.LoadFromGraphic(&first);
  EXPECT_EQ(FrameColors(copy), FrameColors(first)) << "another frame is copied";
  copy.LoadFromGraphic(&copy);
  EXPECT_EQ(copy.Width(), 6) << "the frame itself changes nothing";
  copy.LoadFromGraphic(static_cast<const TGIFSubImage*>(nullptr));
  EXPECT_TRUE(copy.Empty());

  TPicture holder;
  holder.Assign(&bitmap);
  copy.LoadFromGraphic(holder);
  EXPECT_EQ(FrameColors(copy), FrameColors(first)) << "a picture holder gives what it holds";
  holder.Assign(nullptr);
  copy.LoadFromGraphic(holder);
  EXPECT_TRUE(copy.Empty());

  TGIFImage other;
  other.AppendFrame(image);
  ASSERT_EQ(other.Frames().Count(), 1);
  EXPECT_EQ(FrameColors(other.Frames()[0]), FrameColors(first)) << "another document gives its still picture";

  EXPECT_EQ(RaisedBy([&] { copy.LoadFromGraphic(first.LocalMap()); }),
            "Cannot assign a TGIFLocalColorMap to a TGIFSubImage");
}

TEST(BitmapImport, AppendingFramesAndRefusedObjects) {
  TGIFImage image;
  auto own = std::make_unique<TGIFSubImage>(&image);
  TGIFSubImage* raw = own.get();
  EXPECT_EQ(image.AppendFrame(std::move(own)), 0);
  EXPECT_EQ(&image.Frames()[0], raw) << "a frame of this document goes in as it is";

  TGIFImage other;
  TBitmap bitmap = MakeBitmap(3, 2, 24, Mixed);
  other.AppendFrame(bitmap);
  auto foreign = std::make_unique<TGIFSubImage>(&other);
  foreign->Assign(other.Frames()[0]);
  EXPECT_EQ(image.AppendFrame(std::unique_ptr<TPersistent>(std::move(foreign))), 1);
  EXPECT_EQ(image.Frames()[1].Image(), &image) << "a frame of another document is taken as a copy";
  EXPECT_EQ(FrameColors(image.Frames()[1]), FrameColors(other.Frames()[0]));

  EXPECT_EQ(RaisedBy([&] { image.AppendFrame(std::make_unique<TGIFLocalColorMap>(nullptr)); }), sUnsupportedClass);
  EXPECT_EQ(image.Frames().Count(), 2);
}

}  // namespace
