// The black-and-white methods: threshold exactly as the luma says, the
// dithers' share of white following flat greys, inversion, and the bytes of
// one small picture for each method.
#include <gtest/gtest.h>

#include <cmath>

#include "BlackAndWhite.h"
#include "OptionNames.h"

namespace {

// The picture made black and white by the method, as 0/1 per pixel.
std::vector<int> WhitesOf(const TColourPicture& picture, const std::string& mono, bool invert = false) {
  StripOptions options;
  ParseMono(mono, options);
  options.Invert = invert;
  TBitmap bitmap;
  bitmap.SetMonochrome(true);
  bitmap.SetSize(picture.Width, picture.Height);
  PutBlackAndWhite(picture, options, bitmap, 0);
  std::vector<int> whites;
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x) whites.push_back(bitmap.Image().GetPixel(x, y) == clWhite ? 1 : 0);
  return whites;
}

double WhiteShare(const std::vector<int>& whites) {
  int count = 0;
  for (const int white : whites) count += white;
  return static_cast<double>(count) / static_cast<double>(whites.size());
}

TColourPicture Flat(int level, int side = 64) {
  return TColourPicture(side, side, RGB(static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(level),
                                        static_cast<std::uint8_t>(level)));
}

// Every red, green and blue ramp and the greys, 256 columns each, then a
// row mixing all three.
TColourPicture Gradient() {
  TColourPicture picture(256, 5, clBlack);
  for (int x = 0; x < 256; ++x) {
    const auto v = static_cast<std::uint8_t>(x);
    picture.Row(0)[x] = RGB(v, 0, 0);
    picture.Row(1)[x] = RGB(0, v, 0);
    picture.Row(2)[x] = RGB(0, 0, v);
    picture.Row(3)[x] = RGB(v, v, v);
    picture.Row(4)[x] = RGB(v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v * 7));
  }
  return picture;
}

TEST(BlackAndWhite, ThresholdIsWhiteExactlyWhereTheLumaReachesIt) {
  const TColourPicture gradient = Gradient();
  for (const int level : {0, 1, 76, 128, 150, 254, 255}) {
    SCOPED_TRACE(level);
    const std::vector<int> whites = WhitesOf(gradient, "threshold=" + std::to_string(level));
    const std::vector<int> inverted = WhitesOf(gradient, "threshold=" + std::to_string(level), true);
    int wrong = 0;
    for (std::size_t i = 0; i < gradient.Pixels.size(); ++i) {
      const TColor c = gradient.Pixels[i];
      const int luma = (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000;
      const int expected = luma >= level ? 1 : 0;
      if (whites[i] != expected || inverted[i] != 1 - expected) ++wrong;
    }
    EXPECT_EQ(wrong, 0);
  }
}

// The share of white on flat greys from 10% to 90%: within the tolerance of
// the grey level (Atkinson, which drops a quarter of the error by design,
// only at 50%, and rising with the level).
TEST(BlackAndWhite, DithersFollowFlatGreys) {
  struct TDitherCase {
    std::string Mono;
    double Tolerance;
  };
  const TDitherCase cases[] = {{"floyd", 0.02}, {"ordered4", 1.0 / 16}, {"ordered8", 1.0 / 64}};
  for (const TDitherCase& c : cases)
    for (int percent = 10; percent <= 90; percent += 10) {
      const int level = static_cast<int>(std::lround(255.0 * percent / 100));
      EXPECT_NEAR(WhiteShare(WhitesOf(Flat(level), c.Mono)), level / 255.0, c.Tolerance) << c.Mono << " " << percent << "%";
      EXPECT_NEAR(WhiteShare(WhitesOf(Flat(level), c.Mono, true)), 1 - level / 255.0, c.Tolerance) << c.Mono << " inverted";
    }
  EXPECT_NEAR(WhiteShare(WhitesOf(Flat(128), "atkinson")), 128 / 255.0, 0.02);
  double last = -1;
  for (int percent = 10; percent <= 90; percent += 10) {
    const double share = WhiteShare(WhitesOf(Flat(static_cast<int>(std::lround(255.0 * percent / 100))), "atkinson"));
    EXPECT_GT(share, last) << percent << "%";
    last = share;
  }
}

// One 16 x 4 picture (a colour sweep, two pixels pure white) by each method, as the
// strip rows hold it: 2 bytes per row, the leftmost pixel in the top bit.
TEST(BlackAndWhite, EachMethodGivesItsBytesForASmallPicture) {
  TColourPicture picture(16, 4, clWhite);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 16; ++x)
      picture.Row(y)[x] = RGB(static_cast<std::uint8_t>(x * 16 + y * 8), static_cast<std::uint8_t>(x * 12 + 40),
                              static_cast<std::uint8_t>(255 - x * 16));
  picture.Row(0)[0] = picture.Row(3)[15] = clWhite;
  const std::pair<std::string, std::vector<std::uint8_t>> cases[] = {
      {"exact", {0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}},
      {"threshold=100", {0x87, 0xFF, 0x07, 0xFF, 0x07, 0xFF, 0x07, 0xFF}},
      {"floyd", {0x8A, 0xB7, 0x52, 0xAD, 0x0A, 0xBB, 0x52, 0xD7}},
      {"atkinson", {0x84, 0xDF, 0x13, 0x77, 0x12, 0x5C, 0x4D, 0xB7}},
      {"ordered4", {0xAA, 0xEF, 0x05, 0x55, 0xAA, 0xBE, 0x11, 0x55}},
      {"ordered8", {0xAA, 0xFF, 0x05, 0x55, 0xAA, 0xBE, 0x11, 0x55}},
  };
  for (const auto& [mono, expected] : cases) {
    const std::vector<int> whites = WhitesOf(picture, mono);
    std::vector<std::uint8_t> bytes(8, 0);
    for (std::size_t i = 0; i < whites.size(); ++i)
      if (whites[i]) bytes[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
    EXPECT_EQ(bytes, expected) << mono;
  }
}

}  // namespace
