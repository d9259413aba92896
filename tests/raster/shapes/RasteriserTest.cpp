#include "Rasteriser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <utility>

#include "CoveragePicture.h"

namespace {

const TRect Area = Rect(0, 0, 24, 24);
constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();

TCoverage Line(TPoint from, TPoint to, int width = 1, TPenStyle style = TPenStyle::psSolid) {
  return LineCoverage(Area, from, to, width, style);
}

// Mirrored about the diagonal x = y (the clip should be a square on it).
TCoverage Transposed(const TCoverage& c) {
  TCoverage result(c.Clip());
  c.ForEachSpan([&](int y, int x1, int x2) {
    for (int x = x1; x < x2; ++x) result.AddPixel(y, x);
  });
  return result;
}

TCoverage WithPixel(TCoverage c, TPoint p) {
  c.AddPixel(p.X, p.Y);
  return c;
}

// The part of a coverage inside a smaller clip.
TCoverage CutTo(const TCoverage& c, const TRect& clip) {
  TCoverage result(clip);
  result.AddSpans(c.Spans());
  return result;
}

// ---------------------------------------------------------------- lines

TEST(LineCoverage, SmallLinesLeaveOutTheirEndPoint) {
  EXPECT_EQ(Picture(Line({1, 1}, {6, 1}), Rect(0, 0, 8, 3)), Rows({"........", ".#####..", "........"}));
  EXPECT_EQ(Picture(Line({1, 4}, {1, 0}), Rect(0, 0, 3, 5)), Rows({"...", ".#.", ".#.", ".#.", ".#."}));
  EXPECT_EQ(Picture(Line({0, 0}, {3, 3}), Rect(0, 0, 4, 4)), Rows({"#...", ".#..", "..#.", "...."}));
  // 2/5 of a pixel down per step: 0, 0.4, 0.8, 1.2, 1.6 rounded.
  EXPECT_EQ(Picture(Line({0, 0}, {5, 2}), Rect(0, 0, 6, 3)), Rows({"##....", "..##..", "....#."}));
  // Exactly half a pixel at steps 1 and 3: the half goes towards the start.
  EXPECT_EQ(Picture(Line({0, 0}, {4, 2}), Rect(0, 0, 5, 3)), Rows({"##...", "..##.", "....."}));
}

// Every direction: one pixel per step of the longer axis, each within half a
// pixel of the true line, the start drawn and the end not; mirrored and
// transposed lines give mirrored and transposed pixels.
TEST(LineCoverage, AllOctantsStepCloseToTheTrueLineAndMirrorEachOther) {
  const TPoint c{11, 11};
  const TPoint m{Area.Right - 1 - c.X, Area.Bottom - 1 - c.Y};  // where the start goes when mirrored
  for (int dx = -9; dx <= 9; ++dx)
    for (int dy = -9; dy <= 9; ++dy) {
      if (dx == 0 && dy == 0) continue;
      SCOPED_TRACE(testing::Message() << "dx " << dx << " dy " << dy);
      const TCoverage line = Line(c, {c.X + dx, c.Y + dy});
      const int steps = std::max(std::abs(dx), std::abs(dy));
      ASSERT_EQ(line.PixelCount(), steps);
      EXPECT_TRUE(line.Contains(c.X, c.Y));
      EXPECT_FALSE(line.Contains(c.X + dx, c.Y + dy));
      line.ForEachSpan([&](int y, int x1, int x2) {
        for (int x = x1; x < x2; ++x) {
          const int cross = (x - c.X) * dy - (y - c.Y) * dx;  // |cross| / steps: the distance across
          EXPECT_LE(2 * std::abs(cross), steps * steps) << x << "," << y;
        }
      });
      EXPECT_EQ(Mirrored(line, Area, true, false), Line({m.X, c.Y}, {m.X - dx, c.Y + dy}));
      EXPECT_EQ(Mirrored(line, Area, false, true), Line({c.X, m.Y}, {c.X + dx, m.Y - dy}));
      EXPECT_EQ(Transposed(line), Line(c, {c.X + dy, c.Y + dx}));
    }
}

TEST(LineCoverage, ReversedLinesCoverTheSamePixelsWhenNoStepFallsOnAHalf) {
  // An odd length along the longer axis has no step at exactly half a pixel.
  for (TPoint to : {TPoint{14, 9}, TPoint{9, 14}, TPoint{2, 7}, TPoint{12, 1}}) {
    const TPoint from{5, 4};
    EXPECT_EQ(WithPixel(Line(from, to), to), WithPixel(Line(to, from), from)) << to.X << "," << to.Y;
    for (int width = 2; width <= 5; ++width) EXPECT_EQ(Line(from, to, width), Line(to, from, width)) << width;
  }
}

TEST(LineCoverage, ALineToItsOwnStartOrWithAClearPenCoversNothing) {
  for (int width = 1; width <= 5; ++width) {
    EXPECT_TRUE(Line({4, 4}, {4, 4}, width).Empty());
    EXPECT_TRUE(Line({4, 4}, {4, 4}, width, TPenStyle::psDot).Empty());
    EXPECT_TRUE(Line({1, 4}, {9, 7}, width, TPenStyle::psClear).Empty());
  }
}

TEST(LineCoverage, WidePensAreRoundBrushesCentredOnTheLine) {
  // Width 3: three rows, ends one pixel beyond both end points.
  EXPECT_EQ(Picture(Line({2, 2}, {6, 2}, 3), Rect(0, 0, 9, 5)),
            Rows({".........", ".#######.", ".#######.", ".#######.", "........."}));
  // Width 5: the round brush leaves the corners of its 5 x 5 square out.
  EXPECT_EQ(Picture(Line({3, 3}, {4, 3}, 5), Rect(0, 1, 8, 6)),
            Rows({"..####..", ".######.", ".######.", ".######.", "..####.."}));
  // Width 2 reaches one pixel further down and right.
  EXPECT_EQ(Picture(Line({1, 1}, {3, 1}, 2), Rect(0, 0, 6, 4)), Rows({"......", ".####.", ".####.", "......"}));
}

TEST(LineCoverage, EveryWidthCoversThatManyRowsAndOddWidthsStaySymmetric) {
  for (int width = 1; width <= 5; ++width) {
    SCOPED_TRACE(width);
    const TCoverage row = Line({6, 12}, {17, 12}, width);
    EXPECT_EQ(row.Bounds().Height(), width);
    for (int x = 7; x < 17; ++x) EXPECT_EQ(CutTo(row, Rect(x, 0, x + 1, 24)).PixelCount(), width) << "column " << x;
    if (width % 2 == 0) continue;
    const TCoverage diagonal = Line({5, 5}, {16, 16}, width);
    EXPECT_EQ(Transposed(diagonal), diagonal);
    EXPECT_EQ(Mirrored(row, Rect(0, 0, 24, 25), false, true), row);  // about row 12
    if (width == 1) continue;  // a thin line leaves its end out; wider ones draw both ends
    EXPECT_EQ(Mirrored(row, Rect(0, 0, 24, 25), true, false), row);  // about column 11.5
  }
}

TEST(LineCoverage, DottedLinesDrawEveryOtherStepFromTheStart) {
  EXPECT_EQ(Picture(Line({0, 0}, {10, 0}, 1, TPenStyle::psDot), Rect(0, 0, 11, 1)), Rows({"#.#.#.#.#.."}));
  EXPECT_EQ(Picture(Line({9, 0}, {0, 0}, 1, TPenStyle::psDot), Rect(0, 0, 11, 1)), Rows({".#.#.#.#.#."}));
  EXPECT_EQ(Picture(Line({0, 0}, {5, 5}, 1, TPenStyle::psDot), Rect(0, 0, 6, 6)),
            Rows({"#.....", "......", "..#...", "......", "....#.", "......"}));
  // Steep lines count along y: rows 1, 3, 5, 7 of the solid line.
  const TCoverage steep = Line({2, 1}, {5, 9}, 1, TPenStyle::psDot);
  for (int y = 1; y < 9; ++y)
    EXPECT_EQ(CutTo(steep, Rect(0, y, 24, y + 1)), CutTo(Line({2, 1}, {5, 9}), Rect(0, y, 24, y + y % 2))) << y;
  // Wider dotted pens draw solid, as the desktop's pens do.
  EXPECT_EQ(Line({2, 3}, {15, 8}, 3, TPenStyle::psDot), Line({2, 3}, {15, 8}, 3));
}

TEST(LineCoverage, FarEndsAreClippedWithoutWalkingTheWholeLine) {
  const TRect clip = Rect(0, 0, 10, 10);
  EXPECT_EQ(LineCoverage(clip, {-2000000000, 3}, {2000000000, 3}, 1, TPenStyle::psSolid).Bounds(), Rect(0, 3, 10, 4));
  const TCoverage diagonal = LineCoverage(clip, {-1000000000, -1000000000}, {1000000000, 1000000000}, 1,
                                          TPenStyle::psSolid);
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(diagonal.Contains(i, i));
  EXPECT_EQ(diagonal.PixelCount(), 10);
  EXPECT_FALSE(LineCoverage(clip, {IntMin, IntMin}, {IntMax, IntMax}, 5, TPenStyle::psSolid).Empty());
  // A clipped line is the unclipped line's pixels inside the clip; lines
  // ending one or two pixels outside it reach in with their brush: by
  // width / 2 pixels right and down, by (width - 1) / 2 left and up.
  const TRect small = Rect(3, 2, 9, 7);
  const std::pair<TPoint, int> ends[] = {{{2, 4}, 1}, {{9, 4}, 1}, {{5, 1}, 1}, {{5, 7}, 1},
                                         {{1, 5}, 2}, {{10, 3}, 2}, {{6, 0}, 2}, {{7, 8}, 2}};
  for (int width = 1; width <= 5; ++width) {
    EXPECT_EQ(LineCoverage(small, {1, 9}, {12, 0}, width, TPenStyle::psSolid), CutTo(Line({1, 9}, {12, 0}, width), small));
    for (const auto& [end, distance] : ends) {
      const TPoint far{2 * end.X - 6, 2 * end.Y - 4};  // further out, away from the clip's middle
      const TCoverage expected = CutTo(Line(far, end, width), small);
      EXPECT_EQ(LineCoverage(small, far, end, width, TPenStyle::psSolid), expected) << width;
      const bool leftOrAbove = end.X < small.Left || end.Y < small.Top;
      EXPECT_EQ(expected.Empty(), (leftOrAbove ? width / 2 : (width - 1) / 2) < distance) << end.X << "," << end.Y;
    }
  }
}

// ---------------------------------------------------------------- boxed figures

struct TShape {
  enum { Rectangle, Ellipse, RoundRect } Kind;
  int CornerW = 0;
  int CornerH = 0;

  TCoverage Outline(const TRect& box, int width, TPenStyle style = TPenStyle::psSolid) const {
    if (Kind == Rectangle) return RectangleOutline(Area, box, width, style);
    if (Kind == Ellipse) return EllipseOutline(Area, box, width, style);
    return RoundRectOutline(Area, box, CornerW, CornerH, width, style);
  }
  TCoverage Interior(const TRect& box, int width) const {
    if (Kind == Rectangle) return RectangleInterior(Area, box, width);
    if (Kind == Ellipse) return EllipseInterior(Area, box, width);
    return RoundRectInterior(Area, box, CornerW, CornerH, width);
  }
};

// Outline and interior split the figure exactly for every pen; the figure
// fills its box's rows and columns without holes and is symmetric; the thin
// outline is exactly the figure's pixels that touch the outside.
void CheckFigure(const TShape& shape, const TRect& box) {
  const TCoverage whole = shape.Interior(box, 0);
  ASSERT_EQ(whole.Bounds(), box);
  EXPECT_EQ(Mirrored(whole, box, true, false), whole);
  EXPECT_EQ(Mirrored(whole, box, false, true), whole);
  EXPECT_EQ(whole.Spans().size(), static_cast<std::size_t>(box.Height()));  // one run per row
  for (int x = box.Left; x < box.Right; ++x) {
    int changes = 0;
    for (int y = box.Top - 1; y <= box.Bottom; ++y) changes += whole.Contains(x, y) != whole.Contains(x, y + 1);
    EXPECT_EQ(changes, 2) << "column " << x;
  }
  for (int width = 1; width <= 5; ++width) {
    const TCoverage outline = shape.Outline(box, width);
    const TCoverage interior = shape.Interior(box, width);
    EXPECT_TRUE(Intersection(outline, interior).Empty()) << "pen " << width;
    TCoverage both = outline;
    both.Add(interior);
    EXPECT_EQ(both, whole) << "pen " << width;
    EXPECT_EQ(Mirrored(outline, box, true, true), outline) << "pen " << width;
  }
  const TCoverage thin = shape.Outline(box, 1);
  whole.ForEachSpan([&](int y, int x1, int x2) {
    for (int x = x1; x < x2; ++x) {
      const bool edge = !whole.Contains(x - 1, y) || !whole.Contains(x + 1, y) || !whole.Contains(x, y - 1) ||
                        !whole.Contains(x, y + 1);
      EXPECT_EQ(thin.Contains(x, y), edge) << x << "," << y;
    }
  });
  EXPECT_TRUE(shape.Outline(box, 3, TPenStyle::psClear).Empty());
}

TEST(RectangleCoverage, CornersAreTheFirstAndTheLastPixelsInsideTheBox) {
  const TRect area = Rect(0, 0, 9, 6);
  for (const TRect& box : {Rect(2, 1, 7, 5), Rect(7, 5, 2, 1), Rect(7, 1, 2, 5)}) {
    EXPECT_EQ(Picture(RectangleOutline(area, box, 1, TPenStyle::psSolid), area),
              Rows({".........", "..#####..", "..#...#..", "..#...#..", "..#####..", "........."}));
    EXPECT_EQ(RectangleInterior(area, box, 1).Bounds(), Rect(3, 2, 6, 4));
    EXPECT_EQ(RectangleInterior(area, box, 0).Bounds(), Rect(2, 1, 7, 5));
  }
  EXPECT_TRUE(RectangleOutline(area, Rect(2, 1, 2, 5), 1, TPenStyle::psSolid).Empty());
  EXPECT_TRUE(RectangleInterior(area, Rect(2, 1, 6, 1), 0).Empty());
}

TEST(RectangleCoverage, WidePensStayInsideTheBox) {
  const TRect area = Rect(0, 0, 8, 8);
  EXPECT_EQ(Picture(RectangleOutline(area, Rect(1, 1, 7, 8), 2, TPenStyle::psSolid), area),
            Rows({"........", ".######.", ".######.", ".##..##.", ".##..##.", ".##..##.", ".######.", ".######."}));
  // A pen as wide as half the box leaves no inside.
  EXPECT_EQ(RectangleOutline(area, Rect(1, 1, 7, 7), 3, TPenStyle::psSolid).PixelCount(), 36);
  EXPECT_TRUE(RectangleInterior(area, Rect(1, 1, 7, 7), 3).Empty());
}

TEST(RectangleCoverage, OutlineAndInteriorSplitEveryBox) {
  for (int w = 1; w <= 9; ++w)
    for (int h = 1; h <= 9; ++h) {
      SCOPED_TRACE(testing::Message() << w << " x " << h);
      CheckFigure({TShape::Rectangle}, Bounds(3, 4, w, h));
    }
}

TEST(RectangleCoverage, DotsAlternateAlongEveryEdgeFromTheCorners) {
  // With odd sides, counting from either corner gives the same dots: those
  // an even number of steps from the top-left corner.
  const TRect box = Bounds(2, 3, 9, 7);
  TCoverage expected(Area);
  RectangleOutline(Area, box, 1, TPenStyle::psSolid).ForEachSpan([&](int y, int x1, int x2) {
    for (int x = x1; x < x2; ++x)
      if ((x - box.Left + y - box.Top) % 2 == 0) expected.AddPixel(x, y);
  });
  EXPECT_EQ(RectangleOutline(Area, box, 1, TPenStyle::psDot), expected);
  EXPECT_EQ(RectangleOutline(Area, box, 2, TPenStyle::psDot), RectangleOutline(Area, box, 2, TPenStyle::psSolid));
}

TEST(EllipseCoverage, PixelsWhoseCentresLieInsideTheInscribedEllipse) {
  const TRect area = Rect(0, 0, 7, 5);
  EXPECT_EQ(Picture(EllipseOutline(area, Rect(0, 0, 7, 5), 1, TPenStyle::psSolid), area),
            Rows({".#####.", "#.....#", "#.....#", "#.....#", ".#####."}));
  EXPECT_EQ(EllipseInterior(area, Rect(7, 5, 0, 0), 1).Bounds(), Rect(1, 1, 6, 4));
  // A circle of diameter 10: its top row reaches 2.18 pixels either side of the centre.
  EXPECT_EQ(Picture(EllipseInterior(Area, Rect(0, 0, 10, 10), 0), Rect(0, 0, 10, 2)), Rows({"...####...", ".########."}));
}

TEST(EllipseCoverage, ThinBoxesGiveLinesAndBlocks) {
  const TRect area = Rect(0, 0, 6, 4);
  EXPECT_EQ(Picture(EllipseOutline(area, Rect(2, 0, 3, 4), 1, TPenStyle::psSolid), area),
            Rows({"..#...", "..#...", "..#...", "..#..."}));
  EXPECT_EQ(Picture(EllipseOutline(area, Rect(0, 2, 6, 3), 1, TPenStyle::psSolid), area),
            Rows({"......", "......", "######", "......"}));
  EXPECT_EQ(Picture(EllipseOutline(area, Rect(1, 1, 3, 3), 1, TPenStyle::psSolid), area),
            Rows({"......", ".##...", ".##...", "......"}));
  EXPECT_TRUE(EllipseInterior(area, Rect(1, 1, 3, 3), 1).Empty());
  EXPECT_TRUE(EllipseOutline(area, Rect(1, 1, 1, 4), 1, TPenStyle::psSolid).Empty());
}

TEST(EllipseCoverage, OutlineAndInteriorSplitEveryBoxSymmetrically) {
  for (int w = 1; w <= 16; ++w)
    for (int h = 1; h <= 16; ++h) {
      SCOPED_TRACE(testing::Message() << w << " x " << h);
      CheckFigure({TShape::Ellipse}, Bounds(2, 3, w, h));
    }
  CheckFigure({TShape::Ellipse}, Bounds(0, 0, 24, 3));  // very flat: still reaches the sides
}

TEST(EllipseCoverage, AWidePenIsThatThickAtTheAxesAndAllAround) {
  const TCoverage ring = EllipseOutline(Area, Bounds(0, 0, 15, 11), 3, TPenStyle::psSolid);
  EXPECT_EQ(Picture(ring, Rect(0, 5, 15, 6)), Rows({"###.........###"}));
  EXPECT_EQ(CutTo(ring, Rect(7, 0, 8, 11)).PixelCount(), 6);  // three at the top, three at the bottom
  // Inside a circle drawn with a wide pen lies about the circle of its radius
  // less the width, and the ring is as thick across as down.
  const TRect big = Rect(0, 0, 48, 48);
  for (int diameter : {21, 30, 41})
    for (int width = 1; width <= 5; ++width) {
      const TCoverage circle = EllipseOutline(big, Bounds(2, 2, diameter, diameter), width, TPenStyle::psSolid);
      EXPECT_EQ(Transposed(circle), circle) << diameter << " " << width;
      const double radius = diameter / 2.0 - width;
      const double area = 3.14159265 * radius * radius;
      const auto inside = static_cast<double>(EllipseInterior(big, Bounds(1, 2, diameter, diameter), width).PixelCount());
      EXPECT_GT(inside, 0.95 * area) << diameter << " " << width;
      EXPECT_LT(inside, 1.10 * area) << diameter << " " << width;
    }
}

TEST(EllipseCoverage, DottedOutlinesAreHalfTheSolidOneAndSymmetric) {
  for (const TRect& box : {Bounds(1, 1, 21, 13), Bounds(0, 2, 12, 19), Bounds(3, 3, 9, 9)}) {
    const TCoverage solid = EllipseOutline(Area, box, 1, TPenStyle::psSolid);
    const TCoverage dotted = EllipseOutline(Area, box, 1, TPenStyle::psDot);
    EXPECT_EQ(Intersection(dotted, solid), dotted);
    EXPECT_EQ(Mirrored(dotted, box, true, false), dotted);
    EXPECT_EQ(Mirrored(dotted, box, false, true), dotted);
    EXPECT_GE(dotted.PixelCount() * 10, solid.PixelCount() * 4);
    EXPECT_LE(dotted.PixelCount() * 10, solid.PixelCount() * 6);
    dotted.ForEachSpan([&](int y, int x1, int x2) { EXPECT_LE(x2 - x1, 2) << "row " << y; });
  }
  // Boxes one or two pixels across still dot along their long sides: rows
  // (or columns) 0, 2, 5 and 7 counted from the nearer end.
  EXPECT_EQ(Picture(EllipseOutline(Area, Bounds(0, 0, 2, 8), 1, TPenStyle::psDot), Rect(0, 0, 2, 8)),
            Rows({"##", "..", "##", "..", "..", "##", "..", "##"}));
  EXPECT_EQ(Picture(RectangleOutline(Area, Bounds(0, 0, 8, 1), 1, TPenStyle::psDot), Rect(0, 0, 8, 1)),
            Rows({"#.#..#.#"}));
}

TEST(RoundRectCoverage, CornersTakeTheirSizeWhateverTheSign) {
  // The editor's rounded rectangle from (0, 0) to (40, 20) passes -20 and -10.
  const TRect box = Rect(0, 0, 40, 20);
  const TCoverage editor = RoundRectOutline(box, Rect(40, 20, 0, 0), -20, -10, 1, TPenStyle::psSolid);
  EXPECT_EQ(editor, RoundRectOutline(box, box, 20, 10, 1, TPenStyle::psSolid));
  EXPECT_EQ(editor, RoundRectOutline(box, box, -20, 10, 1, TPenStyle::psSolid));
  EXPECT_FALSE(editor.Contains(0, 0));
  EXPECT_TRUE(editor.Contains(20, 0));
  EXPECT_TRUE(editor.Contains(0, 10));
  EXPECT_EQ(editor.Bounds(), box);
}

TEST(RoundRectCoverage, CornersAsLargeAsTheBoxOrLargerGiveTheEllipseAndNoCornersTheRectangle) {
  const TRect box = Bounds(2, 1, 17, 11);
  for (int width = 0; width <= 4; ++width) {
    SCOPED_TRACE(width);
    for (int corner : {17, 100, -1000})
      EXPECT_EQ(RoundRectInterior(Area, box, corner, 1000, width), EllipseInterior(Area, box, width));
    EXPECT_EQ(RoundRectInterior(Area, box, 0, 6, width), RectangleInterior(Area, box, width));
    if (width == 0) continue;
    EXPECT_EQ(RoundRectOutline(Area, box, 17, 11, width, TPenStyle::psSolid),
              EllipseOutline(Area, box, width, TPenStyle::psSolid));
    EXPECT_EQ(RoundRectOutline(Area, box, 5, 0, width, TPenStyle::psDot),
              RectangleOutline(Area, box, width, TPenStyle::psDot));
  }
}

TEST(RoundRectCoverage, SmallCornersCutOnlyWhatLiesOutsideTheirQuarterEllipse) {
  // Corners of a 4 x 4 circle: only the corner pixel's centre lies outside it.
  const TRect area = Rect(0, 0, 7, 5);
  EXPECT_EQ(Picture(RoundRectInterior(area, Rect(0, 0, 7, 5), 4, 4, 0), area),
            Rows({".#####.", "#######", "#######", "#######", ".#####."}));
}

TEST(RoundRectCoverage, OutlineAndInteriorSplitEveryBoxSymmetrically) {
  for (int w = 1; w <= 14; w += 3)
    for (int h = 1; h <= 14; h += 2)
      for (int cw : {-6, 2, 5})
        for (int ch : {3, -4, 8}) {
          SCOPED_TRACE(testing::Message() << w << " x " << h << " corners " << cw << " x " << ch);
          CheckFigure({TShape::RoundRect, cw, ch}, Bounds(4, 2, w, h));
        }
}

TEST(FigureCoverage, HugeBoxesAreCutToTheClipQuickly) {
  const TRect clip = Rect(0, 0, 16, 16);
  const TRect huge = Rect(-2000000000, -2000000000, 2000000000, 2000000000);
  // The clip lies deep inside: no outline, all interior.
  EXPECT_TRUE(EllipseOutline(clip, huge, 5, TPenStyle::psDot).Empty());
  EXPECT_EQ(EllipseInterior(clip, huge, 5).PixelCount(), 256);
  EXPECT_EQ(RoundRectInterior(clip, huge, -2000000000, 2000000000, 1).PixelCount(), 256);
  // Its left edge crosses the clip: the ellipse's side there is one column wide.
  const TCoverage side = EllipseOutline(clip, Rect(5, IntMin, IntMax, IntMax), 1, TPenStyle::psSolid);
  EXPECT_EQ(side.Bounds(), Rect(5, 0, 6, 16));
}

}  // namespace
