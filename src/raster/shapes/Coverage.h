// TCoverage: the set of pixels that one drawing operation covers, kept as
// sorted, merged, non-overlapping spans per row and clipped to the clip
// rectangle given at construction. A pixel is covered at most once, which is
// what pmNotXor needs: every pixel of a figure is inverted exactly once.
//
// It owns no pixels and knows nothing of colours; the canvas walks the spans
// and writes its surface. Spans that arrive in row order (as the shape
// rasteriser produces them) are appended in constant time; AddSpans takes a
// batch in any order.
#pragma once

#include <cstdint>
#include <vector>

#include "Geometry.h"

// Pixels X1..X2-1 of row Y.
struct TSpan {
  int Y = 0;
  int X1 = 0;
  int X2 = 0;
  friend bool operator==(const TSpan&, const TSpan&) = default;
};

class TCoverage {
public:
  TCoverage() = default;  // an empty clip: covers nothing, ever
  explicit TCoverage(const TRect& clip);

  // Pixels x1..x2-1 of row y, clipped and merged with what is there.
  void AddSpan(int y, int x1, int x2);
  void AddPixel(int x, int y);
  // Many spans in any order, merged in one pass.
  void AddSpans(std::vector<TSpan> spans);
  // Union with another coverage (clipped to this one's clip).
  void Add(const TCoverage& other);
  // Removes every pixel that the other coverage holds.
  void Subtract(const TCoverage& other);

  bool Contains(int x, int y) const;
  bool Empty() const { return FSpans.empty(); }
  std::int64_t PixelCount() const;
  // The smallest rectangle holding every covered pixel (empty when nothing is).
  TRect Bounds() const;
  const TRect& Clip() const { return FClip; }
  const std::vector<TSpan>& Spans() const { return FSpans; }

  // Calls fn(y, x1, x2) for every span, rows top to bottom, spans left to right.
  template <class F>
  void ForEachSpan(F&& fn) const {
    for (const TSpan& s : FSpans) fn(s.Y, s.X1, s.X2);
  }

  friend bool operator==(const TCoverage& a, const TCoverage& b) { return a.FSpans == b.FSpans; }

private:
  bool ClipSpan(TSpan& span) const;
  void InsertSorted(const TSpan& span);

  TRect FClip;
  std::vector<TSpan> FSpans;  // sorted by (Y, X1); spans of a row neither overlap nor touch
};
