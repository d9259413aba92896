#include "Rasteriser.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

using Int64 = std::int64_t;
__extension__ using UInt128 = unsigned __int128;

// Wider pens are allowed, but not so wide that one line stamps without end.
constexpr int MaxPenWidth = 64;

int OutlineWidth(int penWidth) { return std::clamp(penWidth, 1, MaxPenWidth); }

// Adds the pixels x1..x2 (inclusive) of row y that lie inside the clip; the
// arithmetic is 64-bit so that figures near the ends of the int range are safe.
void PushClipped(std::vector<TSpan>& spans, const TRect& clip, Int64 y, Int64 x1, Int64 x2) {
  if (y < clip.Top || y >= clip.Bottom) return;
  x1 = std::max<Int64>(x1, clip.Left);
  x2 = std::min<Int64>(x2, Int64{clip.Right} - 1);
  if (x1 <= x2) spans.push_back(TSpan{static_cast<int>(y), static_cast<int>(x1), static_cast<int>(x2 + 1)});
}

// ---------------------------------------------------------------- brushes

// One row of a brush: the offsets X1..X2 (inclusive) at row offset Dy.
struct TBrushRow {
  int Dy;
  int X1;
  int X2;
};

// The round brush of a wide pen: the pixels whose centres lie within a circle
// of the pen's diameter. Odd widths centre it on the pixel; even widths on
// the pixel's bottom-right corner.
std::vector<TBrushRow> RoundBrush(int width) {
  const int lo = -(width - 1) / 2;
  const int hi = width / 2;
  const int centre2 = lo + hi;  // twice the centre's offset: 0 or 1
  std::vector<TBrushRow> rows;
  for (int dy = lo; dy <= hi; ++dy) {
    const int ry = 2 * dy - centre2;
    int x1 = hi + 1;
    int x2 = lo - 1;
    for (int dx = lo; dx <= hi; ++dx) {
      const int rx = 2 * dx - centre2;
      if (rx * rx + ry * ry > width * width) continue;
      x1 = std::min(x1, dx);
      x2 = std::max(x2, dx);
    }
    rows.push_back(TBrushRow{dy, x1, x2});
  }
  return rows;
}

// ---------------------------------------------------------------- lines

// The thin line as steps along its major axis. Step i lies i pixels along the
// major axis from the start; its minor offset is i * minor / major rounded to
// the nearest pixel, halves towards the start. The rule depends only on the
// lengths, so mirrored lines give mirrored pixels.
class TLineWalk {
public:
  TLineWalk(TPoint from, TPoint to)
      : FFrom(from),
        FDx(Int64{to.X} - from.X),
        FDy(Int64{to.Y} - from.Y),
        FXMajor(std::abs(FDx) >= std::abs(FDy)),
        FMajor(FXMajor ? std::abs(FDx) : std::abs(FDy)),
        FMinor(FXMajor ? std::abs(FDy) : std::abs(FDx)) {}

  Int64 Length() const { return FMajor; }

  void At(Int64 step, Int64& x, Int64& y) const {
    const auto product = static_cast<std::uint64_t>(step) * static_cast<std::uint64_t>(FMinor);
    const auto major = static_cast<std::uint64_t>(FMajor);
    const auto offset = static_cast<Int64>(product / major + (2 * (product % major) > major ? 1 : 0));
    const Int64 along = FXMajor ? FDx : FDy;
    const Int64 across = FXMajor ? FDy : FDx;
    const Int64 a = along < 0 ? -step : step;
    const Int64 b = across < 0 ? -offset : offset;
    x = FFrom.X + (FXMajor ? a : b);
    y = FFrom.Y + (FXMajor ? b : a);
  }

  // The steps first..last (within 0..lastStep) whose major coordinate lies
  // within `reach` pixels of the clip; false when there are none.
  bool StepsNear(const TRect& clip, int reach, Int64 lastStep, Int64& first, Int64& last) const {
    const Int64 start = FXMajor ? FFrom.X : FFrom.Y;
    const Int64 lo = Int64{FXMajor ? clip.Left : clip.Top} - reach;
    const Int64 hi = Int64{FXMajor ? clip.Right : clip.Bottom} - 1 + reach;
    const bool forward = (FXMajor ? FDx : FDy) >= 0;
    first = std::max<Int64>(0, forward ? lo - start : start - hi);
    last = std::min<Int64>(lastStep, forward ? hi - start : start - lo);
    return first <= last;
  }

private:
  TPoint FFrom;
  Int64 FDx;
  Int64 FDy;
  bool FXMajor;
  Int64 FMajor;
  Int64 FMinor;
};

// ---------------------------------------------------------------- boxed figures

// A run of pixels X1..X2 (inclusive) in one row.
struct TRun {
  Int64 X1;
  Int64 X2;
};

// The integer square root; the floating-point guess is only a start.
UInt128 ISqrt(UInt128 value) {
  auto root = value >> 64 == 0 ? static_cast<UInt128>(std::sqrt(static_cast<double>(value)))
                                : static_cast<UInt128>(std::sqrt(static_cast<long double>(value)));
  while (root * root > value) --root;
  while ((root + 1) * (root + 1) <= value) ++root;
  return root;
}

// How many pixels row e of the ellipse inscribed in a w x h box leaves out on
// either side. A pixel belongs to the ellipse when its centre lies inside the
// ellipse touching the box's outer edges; the central rows and columns are
// always whole, so that even a very flat or thin ellipse touches all four
// sides of its box.
Int64 EllipseRowInset(Int64 w, Int64 h, Int64 e) {
  if (e == (h - 1) / 2 || e == h / 2) return 0;
  const Int64 dy2 = 2 * e + 1 - h;  // twice the row centre's offset from the ellipse's centre
  // Columns i with |2i + 1 - w| <= t, t being the largest with t^2 h^2 <= w^2 (h^2 - dy2^2).
  const UInt128 limit = UInt128(w) * UInt128(w) * UInt128(h - dy2) * UInt128(h + dy2);
  const auto t = static_cast<Int64>(ISqrt(limit) / UInt128(h));
  return std::min((w - t) / 2, (w - 1) / 2);
}

// A box with rounded corners: rectangles have no corners, ellipses have
// corners as large as the box. Every row of the box holds one run.
struct TFigure {
  Int64 Left = 0;
  Int64 Top = 0;
  Int64 Right = 0;   // exclusive
  Int64 Bottom = 0;  // exclusive
  Int64 CornerW = 0;
  Int64 CornerH = 0;

  // Corner sizes count by their absolute value and are cut to the box.
  static TFigure Make(const TRect& box, Int64 cornerW, Int64 cornerH) {
    TFigure f{std::min(box.Left, box.Right), std::min(box.Top, box.Bottom), std::max(box.Left, box.Right),
              std::max(box.Top, box.Bottom), 0, 0};
    f.CornerW = std::min(std::abs(cornerW), f.Right - f.Left);
    f.CornerH = std::min(std::abs(cornerH), f.Bottom - f.Top);
    return f;
  }

  bool Rounded() const { return CornerW > 0 && CornerH > 0; }

  // The same figure drawn d pixels further in on every side.
  TFigure Shrunk(Int64 d) const {
    TFigure f{Left + d, Top + d, Right - d, Bottom - d, 0, 0};
    if (Rounded()) {
      f.CornerW = std::max<Int64>(CornerW - 2 * d, 0);
      f.CornerH = std::max<Int64>(CornerH - 2 * d, 0);
    }
    return f;
  }

  std::optional<TRun> Row(Int64 y) const {
    if (y < Top || y >= Bottom || Left >= Right) return std::nullopt;
    Int64 inset = 0;
    if (Rounded()) {
      const Int64 fromEdge = std::min(y - Top, Bottom - 1 - y);  // the corners mirror each other
      if (fromEdge < CornerH / 2) inset = EllipseRowInset(CornerW, CornerH, fromEdge);
    }
    return TRun{Left + inset, Right - 1 - inset};
  }
};

// The pixels of a row all of whose four neighbours belong to the figure too,
// given the runs of the row and of the rows above and below: the figure less
// its thin 8-connected outline.
std::optional<TRun> InnerRun(const std::optional<TRun>& row, const std::optional<TRun>& above,
                             const std::optional<TRun>& below) {
  if (!row || !above || !below) return std::nullopt;
  const TRun inner{std::max({row->X1 + 1, above->X1, below->X1}), std::min({row->X2 - 1, above->X2, below->X2})};
  if (inner.X1 > inner.X2) return std::nullopt;
  return inner;
}

// Walks the figure's rows first..last (all inside the figure), calling
// fn(y, row, interior): the row's run and the part of it inside an outline
// drawn with the given pen (< 1: no pen, the whole row). The interior is the
// inside of the figure shrunk by the pen; the shrunk figure is concentric with
// the figure and lies within it, so outline and interior split the figure.
template <class F>
void ForEachFigureRow(const TFigure& figure, int penWidth, Int64 first, Int64 last, F&& fn) {
  const Int64 inset = penWidth < 1 ? 0 : OutlineWidth(penWidth) - 1;
  const TFigure hole = figure.Shrunk(inset);
  std::optional<TRun> above = hole.Row(first - 1);
  std::optional<TRun> current = hole.Row(first);
  for (Int64 y = first; y <= last; ++y) {
    const std::optional<TRun> below = hole.Row(y + 1);
    const TRun row = inset == 0 ? *current : *figure.Row(y);
    fn(y, row, penWidth < 1 ? std::optional<TRun>(row) : InnerRun(current, above, below));
    above = current;
    current = below;
  }
}

// The rows of the figure that the clip reaches, as [first, last].
bool RowsInClip(const TFigure& figure, const TRect& clip, Int64& first, Int64& last) {
  first = std::max<Int64>(figure.Top, clip.Top);
  last = std::min<Int64>(figure.Bottom, clip.Bottom) - 1;
  return first <= last && figure.Left < figure.Right;
}

// The dots of a dotted thin outline piece. Along a piece longer than one
// pixel in its half of the figure the dots alternate by column, counted from
// the nearer side; along single pixels they alternate by row, counted from
// the nearer top or bottom edge. Both counts are mirrored, so the dots are
// symmetric about both axes.
void PushDottedPiece(std::vector<TSpan>& spans, const TRect& clip, const TFigure& f, Int64 y, TRun piece) {
  const Int64 halfWidth = (f.Right - f.Left - 1) / 2;  // the centre column counts for both halves
  const Int64 leftRun = std::min(piece.X2, f.Left + halfWidth) - std::max(piece.X1, f.Left) + 1;
  const Int64 rightRun = std::min(piece.X2, f.Right - 1) - std::max(piece.X1, f.Right - 1 - halfWidth) + 1;
  const Int64 fromEdgeY = std::min(y - f.Top, f.Bottom - 1 - y);
  const Int64 x1 = std::max<Int64>(piece.X1, clip.Left);
  const Int64 x2 = std::min<Int64>(piece.X2, Int64{clip.Right} - 1);
  for (Int64 x = x1; x <= x2; ++x) {
    const Int64 fromLeft = x - f.Left;
    const Int64 fromRight = f.Right - 1 - x;
    const Int64 run = fromLeft <= fromRight ? leftRun : rightRun;
    const Int64 count = run >= 2 ? std::min(fromLeft, fromRight) : fromEdgeY;
    if (count % 2 == 0) PushClipped(spans, clip, y, x, x);
  }
}

TCoverage FigureOutline(const TRect& clip, const TFigure& figure, int penWidth, TPenStyle style) {
  TCoverage result(clip);
  Int64 first = 0, last = 0;
  if (style == TPenStyle::psClear || !RowsInClip(figure, clip, first, last)) return result;
  const int width = OutlineWidth(penWidth);
  const bool dotted = style == TPenStyle::psDot && width == 1;
  std::vector<TSpan> spans;
  ForEachFigureRow(figure, width, first, last, [&](Int64 y, const TRun& row, const std::optional<TRun>& inner) {
    TRun pieces[2] = {row, TRun{1, 0}};  // the outline is the row less its interior
    if (inner) {
      pieces[0].X2 = inner->X1 - 1;
      pieces[1] = TRun{inner->X2 + 1, row.X2};
    }
    for (const TRun& piece : pieces) {
      if (piece.X1 > piece.X2) continue;
      if (dotted)
        PushDottedPiece(spans, clip, figure, y, piece);
      else
        PushClipped(spans, clip, y, piece.X1, piece.X2);
    }
  });
  result.AddSpans(std::move(spans));
  return result;
}

TCoverage FigureInterior(const TRect& clip, const TFigure& figure, int penWidth) {
  TCoverage result(clip);
  Int64 first = 0, last = 0;
  if (!RowsInClip(figure, clip, first, last)) return result;
  std::vector<TSpan> spans;
  ForEachFigureRow(figure, penWidth, first, last, [&](Int64 y, const TRun&, const std::optional<TRun>& inner) {
    if (inner) PushClipped(spans, clip, y, inner->X1, inner->X2);
  });
  result.AddSpans(std::move(spans));
  return result;
}

TFigure EllipseFigure(const TRect& box) {
  return TFigure::Make(box, Int64{box.Right} - box.Left, Int64{box.Bottom} - box.Top);
}

}  // namespace

TCoverage LineCoverage(const TRect& clip, TPoint from, TPoint to, int penWidth, TPenStyle style) {
  TCoverage result(clip);
  if (style == TPenStyle::psClear || from == to) return result;
  const int width = OutlineWidth(penWidth);
  const bool dotted = style == TPenStyle::psDot && width == 1;
  const TLineWalk line(from, to);
  const int reach = width / 2;  // no brush pixel lies further from its centre pixel
  Int64 first = 0, last = 0;
  if (!line.StepsNear(result.Clip(), reach, width == 1 ? line.Length() - 1 : line.Length(), first, last))
    return result;
  const std::vector<TBrushRow> brush = RoundBrush(width);
  std::vector<TSpan> spans;
  for (Int64 step = first; step <= last; ++step) {
    if (dotted && step % 2 == 1) continue;
    Int64 x = 0, y = 0;
    line.At(step, x, y);
    for (const TBrushRow& row : brush) PushClipped(spans, clip, y + row.Dy, x + row.X1, x + row.X2);
  }
  result.AddSpans(std::move(spans));
  return result;
}

TCoverage RectangleOutline(const TRect& clip, const TRect& box, int penWidth, TPenStyle style) {
  return FigureOutline(clip, TFigure::Make(box, 0, 0), penWidth, style);
}

TCoverage RectangleInterior(const TRect& clip, const TRect& box, int penWidth) {
  return FigureInterior(clip, TFigure::Make(box, 0, 0), penWidth);
}

TCoverage EllipseOutline(const TRect& clip, const TRect& box, int penWidth, TPenStyle style) {
  return FigureOutline(clip, EllipseFigure(box), penWidth, style);
}

TCoverage EllipseInterior(const TRect& clip, const TRect& box, int penWidth) {
  return FigureInterior(clip, EllipseFigure(box), penWidth);
}

TCoverage RoundRectOutline(const TRect& clip, const TRect& box, int cornerWidth, int cornerHeight, int penWidth,
                           TPenStyle style) {
  return FigureOutline(clip, TFigure::Make(box, cornerWidth, cornerHeight), penWidth, style);
}

TCoverage RoundRectInterior(const TRect& clip, const TRect& box, int cornerWidth, int cornerHeight, int penWidth) {
  return FigureInterior(clip, TFigure::Make(box, cornerWidth, cornerHeight), penWidth);
}
