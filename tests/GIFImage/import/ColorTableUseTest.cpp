// Colour tables by use: the sort that renumbers pixels and drops unused
// entries, the mask that makes pixels transparent, and a bitmap's colour table.
#include <gtest/gtest.h>

#include "ImportTesting.h"

namespace {

// A frame of this document with the given table and indices, one row.
TGIFSubImage& FrameWith(TGIFImage& image, const std::vector<TColor>& table, const std::vector<int>& indices) {
  auto frame = std::make_unique<TGIFSubImage>(&image);
  frame->SetBounds(0, 0, static_cast<int>(indices.size()), 1);
  for (TColor c : table) frame->LocalMap().AddColor(c);
  for (std::size_t x = 0; x < indices.size(); ++x) frame->Pixels()[x] = static_cast<std::uint8_t>(indices[x]);
  return image.Frames()[image.AppendFrame(std::move(frame))];
}

std::vector<TColor> Entries(TGIFColorMap& map) {
  std::vector<TColor> colors;
  for (int i = 0; i < map.Count(); ++i) colors.push_back(map.ColorAt(i));
  return colors;
}

TBitmap MaskOf(int width, const std::vector<int>& set) {
  return MakeBitmap(width, 1, 1, [&](int x, int) {
    return std::find(set.begin(), set.end(), x) != set.end() ? clWhite : clBlack;
  }, {{0, 0, 0, 0}, {255, 255, 255, 0}});
}

TEST(ColorTableUse, SortByUse) {
  struct TCase {
    const char* Name;
    std::vector<TColor> Table;
    std::vector<int> Pixels;
    bool Result;
    std::vector<TColor> SortedTable;
  };
  const std::vector<TCase> cases = {
      {"already in order keeps unused entries", {clRed, clLime, clBlue, clYellow}, {0, 0, 0, 1, 1, 2}, true,
       {clRed, clLime, clBlue, clYellow}},
      {"an unused entry in the middle is dropped", {clRed, clLime, clBlue}, {0, 0, 2, 2, 2, 0, 0}, true,
       {clRed, clBlue}},
      {"the most used comes first", {clRed, clLime, clBlue}, {2, 2, 2, 1, 1, 0}, true, {clBlue, clLime, clRed}},
      {"one entry is not sorted", {clRed}, {0, 0}, false, {clRed}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TGIFImage image;
    TGIFSubImage& frame = FrameWith(image, c.Table, c.Pixels);
    const std::vector<TColor> before = FrameColors(frame);
    EXPECT_EQ(frame.LocalMap().SortByUse(), c.Result);
    EXPECT_EQ(frame.LocalMap().IsSorted(), c.Result);
    EXPECT_EQ(Entries(frame.LocalMap()), c.SortedTable);
    EXPECT_EQ(FrameColors(frame), before) << "the picture stays";
  }
}

TEST(ColorTableUse, GlobalTableCountsTheFramesThatUseIt) {
  TGIFImage image;
  for (TColor c : {clRed, clLime, clBlue}) image.GlobalColorMap().AddColor(c);
  EXPECT_FALSE(image.GlobalColorMap().SortByUse()) << "no frames: nothing to count";
  EXPECT_EQ(image.GlobalColorMap().Count(), 3);

  TGIFSubImage& plain = FrameWith(image, {}, {2, 2, 1});
  TGIFSubImage& own = FrameWith(image, {clWhite, clBlack}, {0, 0, 0, 0, 0});
  auto control = std::make_unique<TGIFGraphicControlExtension>(&plain);
  control->SetTransparent(true);
  control->SetTransparentIndex(2);
  plain.ExtList().Add(std::move(control));

  const std::vector<TColorUse> uses = image.GlobalColorMap().CountUses();
  ASSERT_EQ(uses.size(), 3u);
  EXPECT_EQ(uses[0].Count, 0) << "a frame with its own table does not count";
  EXPECT_EQ(uses[1].Count, 1);
  EXPECT_EQ(uses[2].Count, 2);
  EXPECT_TRUE(image.GlobalColorMap().SortByUse());
  EXPECT_EQ(Entries(image.GlobalColorMap()), (std::vector<TColor>{clBlue, clLime}));
  EXPECT_EQ(plain.PixelIndex(0, 0), 0);
  EXPECT_EQ(plain.PixelIndex(2, 0), 1);
  EXPECT_EQ(plain.ControlBlock()->TransparentIndex(), 0) << "the transparent index moves with its entry";
  EXPECT_EQ(own.PixelIndex(0, 0), 0);
}

TEST(ColorTableUse, ApplyMask) {
  struct TCase {
    const char* Name;
    std::vector<TColor> Table;
    std::vector<int> Pixels;
    std::vector<int> Masked;
    std::vector<TColor> TableAfter;
    std::vector<int> PixelsAfter;
    bool Transparent;
  };
  const std::vector<TCase> cases = {
      {"masked pixels take a new black entry", {clRed, clBlack}, {0, 1, 0, 0}, {1, 3}, {clRed, clBlack, clBlack},
       {0, 2, 0, 2}, true},
      {"an empty mask drops the black entry again, the sort stays", {clRed, clLime, clBlue}, {2, 2, 0}, {},
       {clBlue, clRed}, {0, 0, 1}, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TGIFImage image;
    TGIFSubImage& frame = FrameWith(image, c.Table, c.Pixels);
    frame.ApplyMask(MaskOf(static_cast<int>(c.Pixels.size()), c.Masked));
    EXPECT_EQ(Entries(frame.LocalMap()), c.TableAfter);
    std::vector<int> pixels;
    for (int x = 0; x < frame.Width(); ++x) pixels.push_back(frame.PixelIndex(x, 0));
    EXPECT_EQ(pixels, c.PixelsAfter);
    EXPECT_EQ(frame.IsTransparent(), c.Transparent);
    EXPECT_EQ(frame.ExtList().Count(), c.Transparent ? 1 : 0);
    if (c.Transparent) {
      EXPECT_EQ(frame.ControlBlock()->TransparentIndex(), c.TableAfter.size() - 1);
    }
  }
}

TEST(ColorTableUse, ApplyMaskFindsNoRoomInAFullTable) {
  TGIFImage image;
  std::vector<TColor> table;
  std::vector<int> pixels;
  for (int i = 0; i < 256; ++i) {
    table.push_back(RGB(static_cast<std::uint8_t>(i), 1, 2));
    pixels.push_back(255 - i);
  }
  TGIFSubImage& frame = FrameWith(image, table, pixels);
  frame.ApplyMask(MaskOf(256, {0, 1, 2}));
  EXPECT_EQ(frame.LocalMap().Count(), 256);
  EXPECT_FALSE(frame.IsTransparent());
  EXPECT_EQ(frame.ExtList().Count(), 0);
  EXPECT_TRUE(frame.LocalMap().IsSorted());
}

TEST(ColorTableUse, BitmapColourTableEntriesAreBlueGreenRed) {
  TGIFImage image;
  const TRGBQuad quads[] = {{30, 20, 10, 0}, {3, 2, 1, 99}};
  image.GlobalColorMap().TakeColorTable(quads, 2);
  EXPECT_EQ(Entries(image.GlobalColorMap()), (std::vector<TColor>{RGB(10, 20, 30), RGB(1, 2, 3)}));
}

}  // namespace
