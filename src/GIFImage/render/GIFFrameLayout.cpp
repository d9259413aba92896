#include "GIFFrameLayout.h"

#include <algorithm>
#include <limits>

namespace {

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// offset * extent / screen, rounded up: where a screen edge falls when the
// screen is stretched over extent pixels by repeating or dropping whole pixels
// (pixel t shows screen pixel t * screen / extent, rounded down), so that the
// edges of a frame are those of the screen pixels it covers.
std::int64_t Scaled(std::int64_t offset, std::int64_t extent, std::int64_t screen) {
  const std::int64_t product = offset * extent;
  return product >= 0 ? (product + screen - 1) / screen : -(-product / screen);
}

}  // namespace

std::vector<int> CellStarts(std::int64_t first, std::int64_t end, std::int64_t step, std::int64_t size,
                            std::int64_t clipLow, std::int64_t clipHigh) {
  std::int64_t start = first;
  if (start + size <= clipLow) start += ((clipLow - size - start) / step + 1) * step;
  std::vector<int> starts;
  for (; start < end && start < clipHigh; start += step) starts.push_back(static_cast<int>(start));
  return starts;
}

TRect ScaledFrameBounds(const TRect& rect, const TRect& frame, int screenWidth, int screenHeight) {
  const std::int64_t width = std::int64_t{rect.Right} - rect.Left, height = std::int64_t{rect.Bottom} - rect.Top;
  return TRect{ClampToInt(rect.Left + Scaled(frame.Left, width, screenWidth)),
               ClampToInt(rect.Top + Scaled(frame.Top, height, screenHeight)),
               ClampToInt(rect.Left + Scaled(frame.Right, width, screenWidth)),
               ClampToInt(rect.Top + Scaled(frame.Bottom, height, screenHeight))};
}
