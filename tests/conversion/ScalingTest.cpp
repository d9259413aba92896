// Scaling to the target size: shrinking averages the pixels each target
// pixel covers, growing repeats pixels, fit keeps the whole picture on white
// margins, fill covers the target and keeps the centre.
#include <gtest/gtest.h>

#include "Geometry.h"
#include "Scaling.h"

namespace {

TColor Colour(int r, int g, int b) {
  return RGB(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
}

// A picture whose pixel (x, y) has a colour of its own.
TColourPicture Distinct(int width, int height) {
  TColourPicture picture(width, height, clWhite);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.Row(y)[x] = Colour(x * 7 % 256, y * 11 % 256, (x + y) * 3 % 256);
  return picture;
}

TEST(Scaling, UniformBlocksHalvedEqualTheirSubsampledPicture) {
  const TColourPicture cells = Distinct(13, 9);
  TColourPicture blocks(26, 18, clWhite);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 26; ++x) blocks.Row(y)[x] = cells.Row(y / 2)[x / 2];
  const TColourPicture halved = ScalePicture(blocks, 13, 9);
  EXPECT_EQ(halved.Pixels, cells.Pixels);
}

TEST(Scaling, ShrinkingAveragesWhatEachPixelCoversAndGrowingRepeats) {
  // Three columns into two: each target pixel takes one and a half source pixels.
  TColourPicture row(3, 1, clBlack);
  row.Row(0)[0] = Colour(0, 0, 0);
  row.Row(0)[1] = Colour(90, 30, 255);
  row.Row(0)[2] = Colour(210, 150, 0);
  const TColourPicture two = ScalePicture(row, 2, 1);
  EXPECT_EQ(two.Pixels, (std::vector<TColor>{Colour(30, 10, 85), Colour(170, 110, 85)}));
  const TColourPicture grown = ScalePicture(Distinct(3, 2), 7, 5);
  const TColourPicture source = Distinct(3, 2);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x)
      EXPECT_EQ(grown.Row(y)[x], source.Row((2 * y + 1) * 2 / 10)[(2 * x + 1) * 3 / 14]) << x << "," << y;
}

// Where the picture lands in the target: its rectangle in the target, and
// the part of the source it shows.
struct TFitCase {
  int SourceWidth, SourceHeight, Width, Height;
  Fitting Fit;
  TRect Placed;  // in the target; white around it
};

TEST(Scaling, FitLeavesWhiteMarginsAndFillCropsTheCentre) {
  const TFitCase cases[] = {
      {40, 20, 101, 64, Fitting::Fit, Rect(0, 6, 101, 57)},  // 101 x 51 (50.5 rounded up), centred
      {20, 40, 101, 64, Fitting::Fit, Rect(34, 0, 66, 64)},  // 32 x 64
      {101, 64, 101, 64, Fitting::Fit, Rect(0, 0, 101, 64)},
      {40, 20, 16, 16, Fitting::Fill, Rect(0, 0, 16, 16)},
      {40, 20, 16, 16, Fitting::Stretch, Rect(0, 0, 16, 16)},
  };
  for (const TFitCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.SourceWidth) + "x" + std::to_string(c.SourceHeight) + " into " +
                 std::to_string(c.Width) + "x" + std::to_string(c.Height));
    TColourPicture source(c.SourceWidth, c.SourceHeight, clBlack);
    const TColourPicture fitted = FitPicture(source, c.Width, c.Height, c.Fit);
    ASSERT_EQ(fitted.Width, c.Width);
    ASSERT_EQ(fitted.Height, c.Height);
    int wrong = 0;
    for (int y = 0; y < c.Height; ++y)
      for (int x = 0; x < c.Width; ++x) {
        const bool inside = x >= c.Placed.Left && x < c.Placed.Right && y >= c.Placed.Top && y < c.Placed.Bottom;
        if (fitted.Row(y)[x] != (inside ? clBlack : clWhite)) ++wrong;
      }
    EXPECT_EQ(wrong, 0);
  }
  // Fill keeps the centre: a 40 x 20 picture in 16 x 16 shows columns 10 to 29.
  const TColourPicture wide = Distinct(40, 20);
  TColourPicture centre(20, 20, clWhite);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) centre.Row(y)[x] = wide.Row(y)[x + 10];
  EXPECT_EQ(FitPicture(wide, 16, 16, Fitting::Fill).Pixels, ScalePicture(centre, 16, 16).Pixels);
}

}  // namespace
