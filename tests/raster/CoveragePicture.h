// Test helpers: a coverage drawn as rows of '#' (covered) and '.' (not), so
// that expected pixels read as a picture in the test and failures show one.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "Coverage.h"

inline std::string Picture(const TCoverage& coverage, const TRect& area) {
  std::string text;
  for (int y = area.Top; y < area.Bottom; ++y) {
    text += '\n';
    for (int x = area.Left; x < area.Right; ++x) text += coverage.Contains(x, y) ? '#' : '.';
  }
  return text;
}

// The picture of rows given as strings, the first character at (0, 0).
inline std::string Rows(const std::vector<std::string>& rows) {
  std::string text;
  for (const std::string& row : rows) text += '\n' + row;
  return text;
}

// The coverage mirrored left to right and top to bottom within an area.
inline TCoverage Mirrored(const TCoverage& coverage, const TRect& area, bool horizontally, bool vertically) {
  TCoverage result(area);
  coverage.ForEachSpan([&](int y, int x1, int x2) {
    const int my = vertically ? area.Top + area.Bottom - 1 - y : y;
    if (horizontally)
      result.AddSpan(my, area.Left + area.Right - x2, area.Left + area.Right - x1);
    else
      result.AddSpan(my, x1, x2);
  });
  return result;
}

// Pixels covered by both.
inline TCoverage Intersection(const TCoverage& a, const TCoverage& b) {
  TCoverage outside = a;
  outside.Subtract(b);
  TCoverage result = a;
  result.Subtract(outside);
  return result;
}

// How GoogleTest shows a coverage: its spans, then its picture.
inline void PrintTo(const TCoverage& coverage, std::ostream* os) {
  const TRect b = coverage.Bounds();
  *os << "coverage of " << coverage.PixelCount() << " pixels in (" << b.Left << "," << b.Top << ")-(" << b.Right << ","
      << b.Bottom << "):" << Picture(coverage, b);
}
