// Where a frame's pixels fall on a canvas: its place when its logical screen
// is stretched over a rectangle, and the cells of a frame tiled across one.
#pragma once

#include <cstdint>
#include <vector>

#include "Geometry.h"

// The pixels of rect that a frame (its bounds on the screen) covers when a
// screen of the given size, not empty, is stretched over rect (pixel t of
// rect shows screen pixel t * screen size / rect size, rounded down): each
// edge scaled and rounded up.
TRect ScaledFrameBounds(const TRect& rect, const TRect& frame, int screenWidth, int screenHeight);

// Where the cells of one axis start: at first, then every step further while
// the start lies before end. Only cells of the given size that reach into
// [clipLow, clipHigh) are listed, so a huge rectangle costs no more than the
// canvas it is cut to.
std::vector<int> CellStarts(std::int64_t first, std::int64_t end, std::int64_t step, std::int64_t size,
                            std::int64_t clipLow, std::int64_t clipHigh);
