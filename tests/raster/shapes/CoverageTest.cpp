#include "Coverage.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>
#include <utility>

#include "CoveragePicture.h"

namespace {

using TPixelSet = std::set<std::pair<int, int>>;  // (y, x)

TPixelSet PixelsOf(const TCoverage& coverage) {
  TPixelSet pixels;
  coverage.ForEachSpan([&](int y, int x1, int x2) {
    for (int x = x1; x < x2; ++x) pixels.insert({y, x});
  });
  return pixels;
}

// Spans must come sorted by row and column, and neither overlap nor touch.
void ExpectNormalised(const TCoverage& coverage) {
  const auto& spans = coverage.Spans();
  for (std::size_t i = 0; i < spans.size(); ++i) {
    EXPECT_LT(spans[i].X1, spans[i].X2);
    if (i == 0) continue;
    EXPECT_GE(spans[i].Y, spans[i - 1].Y);
    if (spans[i].Y == spans[i - 1].Y) {
      EXPECT_GT(spans[i].X1, spans[i - 1].X2) << "span " << i;
    }
  }
}

TEST(Coverage, SpansMergeWhenTheyOverlapOrTouchWhateverTheirOrder) {
  TCoverage c(Rect(0, 0, 20, 3));
  c.AddSpan(1, 10, 12);
  c.AddSpan(1, 2, 4);
  c.AddSpan(1, 4, 6);    // touches 2..3: one span 2..5
  c.AddSpan(1, 11, 15);  // overlaps 10..11
  c.AddSpan(0, 0, 1);    // an earlier row after a later one
  c.AddPixel(7, 1);
  c.AddSpan(1, 6, 7);  // fills the gap between 2..5 and 7
  c.AddSpan(2, 19, 25);
  c.AddSpan(2, 12, 19);
  EXPECT_EQ(Picture(c, Rect(0, 0, 20, 3)), Rows({"#...................",  //
                                                 "..######..#####.....",  //
                                                 "............########"}));
  EXPECT_EQ(c.Spans().size(), 4u);
  ExpectNormalised(c);
  EXPECT_EQ(c.PixelCount(), 1 + 6 + 5 + 8);
  EXPECT_EQ(c.Bounds(), Rect(0, 0, 20, 3));
}

TEST(Coverage, EverythingIsCutToTheClip) {
  TCoverage c(Rect(2, 1, 6, 3));
  c.AddSpan(0, 0, 10);  // row above
  c.AddSpan(3, 0, 10);  // row below
  c.AddSpan(1, -100, 100);
  c.AddSpan(2, 5, 50);
  c.AddSpan(2, 0, 2);  // ends just left of the clip
  c.AddPixel(6, 2);    // just right of it
  c.AddPixel(std::numeric_limits<int>::max(), 2);
  c.AddSpan(2, 4, 4);  // empty
  EXPECT_EQ(Picture(c, Rect(0, 0, 8, 4)), Rows({"........",  //
                                                "..####..",  //
                                                ".....#..",  //
                                                "........"}));
  TCoverage none;  // no clip: covers nothing, ever
  none.AddSpan(0, -5, 5);
  EXPECT_TRUE(none.Empty());
  EXPECT_EQ(none.Bounds(), TRect{});
}

TEST(Coverage, SubtractSplitsTrimsAndRemovesSpans) {
  const TRect area = Rect(0, 0, 12, 4);
  TCoverage c(area);
  c.AddSpan(0, 0, 12);
  c.AddSpan(1, 0, 12);
  c.AddSpan(2, 2, 6);
  c.AddSpan(2, 8, 10);
  c.AddSpan(3, 0, 3);
  TCoverage cut(area);
  cut.AddSpan(0, 3, 5);
  cut.AddSpan(0, 7, 8);   // two holes in one span
  cut.AddSpan(1, 0, 2);   // trims the left end
  cut.AddSpan(1, 11, 20);  // and the right end (clipped)
  cut.AddSpan(2, 4, 9);   // one cut across two spans
  cut.AddSpan(3, 0, 3);   // removes a whole span
  c.Subtract(cut);
  EXPECT_EQ(Picture(c, area), Rows({"###..##.####",  //
                                    "..#########.",  //
                                    "..##.....#..",  //
                                    "............"}));
  ExpectNormalised(c);
  c.Subtract(c);
  EXPECT_TRUE(c.Empty());
}

// Random spans, added one by one and in batches, united and subtracted, must
// always cover the same pixels as a plain set of pixels would.
TEST(Coverage, AgreesWithAPixelSetUnderRandomOperations) {
  std::mt19937 random(20240601);
  const TRect clip = Rect(-3, -2, 40, 12);
  for (int round = 0; round < 40; ++round) {
    TCoverage a(clip), b(clip);
    TPixelSet pa, pb;
    std::vector<TSpan> batch;
    for (int i = 0; i < 30; ++i) {
      const int y = static_cast<int>(random() % 18) - 4;
      const int x1 = static_cast<int>(random() % 50) - 6;
      const int x2 = x1 + static_cast<int>(random() % 9);
      const bool toA = random() % 2 == 0;
      if (toA) a.AddSpan(y, x1, x2); else batch.push_back(TSpan{y, x1, x2});
      for (int x = std::max(x1, clip.Left); x < std::min(x2, clip.Right); ++x)
        if (y >= clip.Top && y < clip.Bottom) (toA ? pa : pb).insert({y, x});
    }
    b.AddSpans(batch);
    ASSERT_EQ(PixelsOf(a), pa);
    ASSERT_EQ(PixelsOf(b), pb);

    TCoverage both = a;
    both.Add(b);
    TPixelSet united = pa;
    united.insert(pb.begin(), pb.end());
    ASSERT_EQ(PixelsOf(both), united);
    ExpectNormalised(both);
    for (int y = clip.Top - 1; y <= clip.Bottom; ++y)
      for (int x = clip.Left - 1; x <= clip.Right; ++x) ASSERT_EQ(both.Contains(x, y), united.count({y, x}) == 1);

    TCoverage difference = a;
    difference.Subtract(b);
    TPixelSet expected;
    for (const auto& p : pa)
      if (!pb.count(p)) expected.insert(p);
    ASSERT_EQ(PixelsOf(difference), expected);
    ExpectNormalised(difference);
    ASSERT_EQ(difference.PixelCount(), static_cast<std::int64_t>(expected.size()));
  }
}

}  // namespace
