#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>

#include "FixedPalettes.h"
#include "GIFImage.h"
#include "ColorLookup.h"
#include "SystemPalettes.h"

namespace {

TPaletteEntry Rgb(int r, int g, int b) {
  return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b), 0};
}

TColorMatch Match(TColorLookup& lookup, int r, int g, int b) {
  return lookup.MatchColor(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
}

}  // namespace

TEST(GrayLookups, ThresholdAndLuminance) {
  TMonochromeLookup mono;
  TGrayScaleLookup gray;
  for (int v = 0; v < 256; ++v) {
    // Grey 127 is the last black one, grey 128 the first white one.
    EXPECT_EQ(Match(mono, v, v, v), (v < 128 ? TColorMatch{0, 0, 0, 0} : TColorMatch{1, 255, 255, 255})) << v;
    EXPECT_EQ(Match(gray, v, v, v).Index, v) << v;
  }
  // Pure green is bright (150 * 255 = 38250), pure red is not (77 * 255 = 19635).
  EXPECT_EQ(Match(mono, 0, 255, 0).Index, 1);
  EXPECT_EQ(Match(mono, 255, 0, 0).Index, 0);
  // 77 * 255 >> 8 = 76; (77 * 10 + 150 * 20 + 29 * 200) >> 8 = 9570 >> 8 = 37.
  EXPECT_EQ(Match(gray, 255, 0, 0), (TColorMatch{76, 76, 76, 76}));
  EXPECT_EQ(Match(gray, 10, 20, 200), (TColorMatch{37, 37, 37, 37}));
}

TEST(NetscapeLookup, StepBoundariesAndCubePalette) {
  TNetscapeColorLookup cube;
  EXPECT_EQ(cube.Colors(), 216);
  const std::pair<int, int> boundaries[] = {{0, 0},   {47, 0},  {48, 1},  {98, 1},  {99, 2},  {149, 2},
                                            {150, 3}, {200, 3}, {201, 4}, {251, 4}, {252, 5}, {255, 5}};
  for (auto [value, step] : boundaries) {
    EXPECT_EQ(Match(cube, value, 0, 0).Index, 36 * step) << value;
    EXPECT_EQ(Match(cube, 0, value, 0).Index, 6 * step) << value;
    EXPECT_EQ(Match(cube, 0, 0, value).Index, step) << value;
  }
  EXPECT_EQ(Match(cube, 47, 48, 200), (TColorMatch{9, 0, 51, 153}));
  // Every answer names the cube palette's own entry.
  const TPalette palette = CubePalette();
  ASSERT_EQ(palette.Count(), 216);
  for (int v = 0; v < 256; v += 5) {
    const TColorMatch m = Match(cube, v, 255 - v, (v * 7) % 256);
    EXPECT_EQ(palette.Entry(m.Index), Rgb(m.Red, m.Green, m.Blue));
  }
}

TEST(FastColorLookup, CellCacheDecidesByFirstColourAsked) {
  const TPalette blackWhite({Rgb(0, 0, 0), Rgb(255, 255, 255)});
  {
    TFastColorLookup lookup(blackWhite);
    EXPECT_EQ(Match(lookup, 127, 127, 128).Index, 0);  // 382 against 383
    EXPECT_EQ(Match(lookup, 121, 127, 135).Index, 0);  // same cell: black, though white is nearer
  }
  TFastColorLookup fresh(blackWhite);
  EXPECT_EQ(Match(fresh, 121, 127, 135), (TColorMatch{1, 255, 255, 255}));  // 383 against 382
  EXPECT_EQ(Match(fresh, 127, 127, 128).Index, 1);
}

TEST(FastColorLookup, DistanceTiesAndPaletteCells) {
  // Absolute differences, not squares: (100,100,0) is 100 away, (60,60,60) 120.
  TFastColorLookup distance(TPalette({Rgb(60, 60, 60), Rgb(100, 100, 0)}));
  EXPECT_EQ(Match(distance, 100, 100, 100).Index, 1);
  // Equal distances: the lower entry wins, whichever colour it is.
  TFastColorLookup tieA(TPalette({Rgb(0, 0, 0), Rgb(100, 0, 0)}));
  TFastColorLookup tieB(TPalette({Rgb(100, 0, 0), Rgb(0, 0, 0)}));
  EXPECT_EQ(Match(tieA, 50, 0, 0).Index, 0);
  EXPECT_EQ(Match(tieB, 50, 0, 0).Index, 0);
  // A cell that holds entries answers with the first of them, even for an
  // exact hit on a later one.
  TFastColorLookup shared(TPalette({Rgb(8, 0, 0), Rgb(15, 0, 0)}));
  EXPECT_EQ(Match(shared, 15, 0, 0), (TColorMatch{0, 8, 0, 0}));
  // Without entries the lookup is unusable but answers safely.
  TFastColorLookup empty{TPalette()};
  EXPECT_EQ(empty.Colors(), 0);
  EXPECT_EQ(Match(empty, 1, 2, 3), TColorMatch{});
}

TEST(FastColorLookup, AgreesWithBruteForceOnFirstAskPerCell) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> channel(0, 255);
  std::vector<TPaletteEntry> entries;
  for (int i = 0; i < 40; ++i) entries.push_back(Rgb(channel(random), channel(random), channel(random)));
  TFastColorLookup lookup{TPalette(entries)};
  std::map<int, int> cellAnswer;  // seeded with the entries' own cells, first entry first
  for (int i = 0; i < 40; ++i)
    cellAnswer.emplace(entries[i].peRed / 8 + entries[i].peGreen / 8 * 32 + entries[i].peBlue / 8 * 1024, i);
  for (int n = 0; n < 20000; ++n) {
    const int r = channel(random), g = channel(random), b = channel(random);
    int nearest = 0, best = 1 << 30;
    for (int i = 0; i < 40; ++i) {
      const int d = std::abs(r - entries[i].peRed) + std::abs(g - entries[i].peGreen) + std::abs(b - entries[i].peBlue);
      if (d < best) best = d, nearest = i;
    }
    const int expected = cellAnswer.emplace(r / 8 + g / 8 * 32 + b / 8 * 1024, nearest).first->second;
    const TColorMatch m = Match(lookup, r, g, b);
    ASSERT_EQ(m.Index, expected) << r << "," << g << "," << b;
    ASSERT_EQ(Rgb(m.Red, m.Green, m.Blue), entries[static_cast<std::size_t>(expected)]);
  }
}

TEST(FixedPalettes, ContentsAndFlagsPerMethod) {
  const TPalette cube = *FixedPalette(6);
  ASSERT_EQ(cube.Count(), 216);
  for (int i = 0; i < 216; ++i) EXPECT_EQ(cube.Entry(i), Rgb(i / 36 * 51, i / 6 % 6 * 51, i % 6 * 51)) << i;
  const auto grays = [](std::initializer_list<int> levels) {
    std::vector<TPaletteEntry> entries;
    for (int v : levels) entries.push_back({std::uint8_t(v), std::uint8_t(v), std::uint8_t(v), PC_NOCOLLAPSE});
    return entries;
  };
  EXPECT_EQ(FixedPalette(3)->Entries(), grays({0, 128, 192, 255}));
  EXPECT_EQ(FixedPalette(4)->Entries(), grays({0, 255}));
  const TPalette all = *FixedPalette(5);
  ASSERT_EQ(all.Count(), 256);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(all.Entry(i), grays({i})[0]);
  EXPECT_EQ(*FixedPalette(1), DefaultSystemPalette());
  EXPECT_EQ(*FixedPalette(2), HalftonePalette());
  for (int method : {0, 7, 8, 9, 10, 255}) EXPECT_FALSE(FixedPalette(static_cast<std::uint8_t>(method))) << method;
  // The halftone palette holds every cube colour, so method 2 loses nothing
  // on cube pictures.
  TFastColorLookup halftone(HalftonePalette());
  for (int i = 0; i < 216; ++i) {
    const TColorMatch m = Match(halftone, cube.Entry(i).peRed, cube.Entry(i).peGreen, cube.Entry(i).peBlue);
    EXPECT_EQ(Rgb(m.Red, m.Green, m.Blue), cube.Entry(i)) << i;
  }
}
