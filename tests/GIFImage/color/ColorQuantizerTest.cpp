#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <stdexcept>
#include <tuple>

#include "Exception.h"
#include "GIFImage.h"
#include "ColorQuantizer.h"
#include "SystemPalettes.h"

namespace {

TPaletteEntry Rgb(int r, int g, int b) {
  return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b), 0};
}

TPixelImage MakeImage(int width, int height, int bitCount, const std::function<TPaletteEntry(int, int)>& color) {
  TPixelImage image(width, height, bitCount);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const TPaletteEntry c = color(x, y);
      image.SetPixel(x, y, RGB(c.peRed, c.peGreen, c.peBlue));
    }
  return image;
}

// Octree order: the channels' bits interleaved from the top bit down.
std::uint32_t TreeKey(const TPaletteEntry& c) {
  std::uint32_t key = 0;
  for (int bit = 7; bit >= 0; --bit)
    key = (key << 3) | (((c.peRed >> bit) & 1u) << 2) | (((c.peGreen >> bit) & 1u) << 1) | ((c.peBlue >> bit) & 1u);
  return key;
}

}  // namespace

TEST(OctreePalette, FewColoursComeOutExactlyInTreeOrderThenBlack) {
  const std::vector<TPaletteEntry> colors = {Rgb(200, 10, 10), Rgb(0, 0, 255), Rgb(17, 200, 99),
                                             Rgb(255, 255, 255), Rgb(16, 200, 99), Rgb(128, 128, 128)};
  const TPixelImage image = MakeImage(7, 5, 24, [&](int x, int y) { return colors[(x * 5 + y * 3) % colors.size()]; });
  std::vector<TPaletteEntry> expected = colors;
  std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return TreeKey(a) < TreeKey(b); });
  expected.resize(16);  // filled up with black

  EXPECT_EQ(BuildOctreePalette(image, 16, 8, false).Entries(), expected);
  // Other depths are read through their colours.
  const TPixelImage deep = MakeImage(7, 5, 32, [&](int x, int y) { return colors[(x * 5 + y * 3) % 6]; });
  EXPECT_EQ(BuildOctreePalette(deep, 16, 8, false).Entries(), expected);

  const TPalette withSystem = BuildOctreePalette(image, 256, 8, true);
  ASSERT_EQ(withSystem.Count(), 256);
  const auto& system = DefaultSystemPalette().Entries();
  EXPECT_TRUE(std::equal(system.begin(), system.begin() + 10, withSystem.Entries().begin()));
  EXPECT_TRUE(std::equal(system.begin() + 10, system.end(), withSystem.Entries().begin() + 246));
  EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 6, withSystem.Entries().begin() + 10));
  EXPECT_EQ(withSystem.Entry(16), Rgb(0, 0, 0));
  EXPECT_EQ(withSystem.Entry(245), Rgb(0, 0, 0));
}

TEST(OctreePalette, FoldsTheNewestDeepestNodeAndAveragesByCount) {
  TColorQuantizer quantizer(3, 8);
  quantizer.AddColor(0, 0, 0);
  quantizer.AddColor(0, 0, 1);
  quantizer.AddColor(255, 255, 254);
  // A fourth leaf: the newest node of the deepest level, (255,255,25x), folds.
  for (int i = 0; i < 3; ++i) quantizer.AddColor(255, 255, 255);
  EXPECT_EQ(quantizer.LeafCount(), 3);
  // Blue (254 + 3 * 255) / 4 = 254.75 is truncated.
  EXPECT_EQ(quantizer.Colors(), (std::vector<TPaletteEntry>{Rgb(0, 0, 0), Rgb(0, 0, 1), Rgb(255, 255, 254)}));

  // Down to a single colour: the truncated average of the whole image.
  const TPixelImage image = MakeImage(9, 6, 24, [](int x, int y) { return Rgb(x * 30, y * 50, (x * y * 37) % 256); });
  long sum[3] = {};
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) sum[0] += x * 30, sum[1] += y * 50, sum[2] += (x * y * 37) % 256;
  EXPECT_EQ(BuildOctreePalette(image, 1, 8, false).Entries(),
            (std::vector<TPaletteEntry>{Rgb(sum[0] / 54, sum[1] / 54, sum[2] / 54)}));
}

TEST(OctreePalette, ManyColoursStayWithinTheMaximum) {
  const TPixelImage image = MakeImage(64, 64, 24, [](int x, int y) { return Rgb(x * 4, y * 4, (x * y) % 256); });
  TColorQuantizer quantizer(256, 8);
  quantizer.ProcessImage(image);
  EXPECT_LE(quantizer.LeafCount(), 256);
  EXPECT_GT(quantizer.LeafCount(), 200);
  // Leaves are disjoint boxes of the colour cube, so their averages differ.
  const std::vector<TPaletteEntry> found = quantizer.Colors();
  std::set<std::uint32_t> keys;
  for (const TPaletteEntry& c : found) keys.insert(TreeKey(c));
  EXPECT_EQ(keys.size(), found.size());

  // 256 greys between the system colours: 236 slots, and the folding keeps
  // the whole range, ascending, up to the brightest greys.
  const TPixelImage ramp = MakeImage(16, 16, 24, [](int x, int y) { return Rgb(y * 16 + x, y * 16 + x, y * 16 + x); });
  const TPalette grays = BuildOctreePalette(ramp, 256, 8, true);
  for (int i = 11; i < 246; ++i) {
    EXPECT_EQ(grays.Entry(i).peRed, grays.Entry(i).peBlue);
    EXPECT_GT(grays.Entry(i).peRed, grays.Entry(i - 1).peRed) << i;
  }
  EXPECT_GE(grays.Entry(245).peRed, 250);
}

TEST(OctreePalette, LimitsAndLargeAreas) {
  const TPixelImage image = MakeImage(3, 3, 24, [](int x, int y) { return Rgb(x * 100, y * 100, 7); });
  EXPECT_THROW(TColorQuantizer(16, 0), std::invalid_argument);
  EXPECT_THROW(TColorQuantizer(16, 9), std::invalid_argument);
  EXPECT_THROW(BuildOctreePalette(image, 257, 8, false), EOutOfResources);
  EXPECT_THROW(BuildOctreePalette(image, -1, 8, false), EOutOfResources);
  EXPECT_EQ(BuildOctreePalette(image, 0, 8, false).Count(), 0);
  EXPECT_EQ(BuildOctreePalette(TPixelImage(0, 0, 24), 4, 8, false).Entries(), std::vector<TPaletteEntry>(4));

  // More white pixels than a signed 32-bit sum of 255s can hold.
  TColorQuantizer quantizer(2, 8);
  for (int i = 0; i < 8500000; ++i) quantizer.AddColor(255, 255, 255);
  EXPECT_EQ(quantizer.Colors(), (std::vector<TPaletteEntry>{Rgb(255, 255, 255)}));
}
