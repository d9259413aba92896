// A frame drawing itself onto a canvas: stretched into its place on the
// logical screen laid onto a rectangle, or tiled at its own size across it;
// opaquely, or through its mask so that its transparent pixels keep what the
// canvas shows.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "Canvas.h"
#include "GIFImage.h"
#include "GIFTransparentBlit.h"

namespace {

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// offset * extent / screen, rounded to the nearest integer, halves away from zero.
std::int64_t Scaled(std::int64_t offset, std::int64_t extent, std::int64_t screen) {
  const std::int64_t product = offset * extent;
  const std::int64_t half = screen / 2;
  return product >= 0 ? (product + half) / screen : -((-product + half) / screen);
}

// Where the cells of one axis start: at first, then every step further while
// the start lies before end. Only cells that reach into [clipLow, clipHigh)
// are listed, so a huge rectangle costs no more than the canvas it is cut to.
std::vector<int> CellStarts(std::int64_t first, std::int64_t end, std::int64_t step, std::int64_t size,
                            std::int64_t clipLow, std::int64_t clipHigh) {
  std::int64_t start = first;
  if (start + size <= clipLow) start += ((clipLow - size - start) / step + 1) * step;
  std::vector<int> starts;
  for (; start < end && start < clipHigh; start += step) starts.push_back(static_cast<int>(start));
  return starts;
}

}  // namespace

TRect TGIFSubImage::ScaledBounds(const TRect& rect) const {
  const int screenWidth = Image() != nullptr ? Image()->Width() : 0;
  const int screenHeight = Image() != nullptr ? Image()->Height() : 0;
  if (screenWidth <= 0 || screenHeight <= 0) return rect;
  const std::int64_t width = std::int64_t{rect.Right} - rect.Left, height = std::int64_t{rect.Bottom} - rect.Top;
  return TRect{ClampToInt(rect.Left + Scaled(FLeft, width, screenWidth)),
               ClampToInt(rect.Top + Scaled(FTop, height, screenHeight)),
               ClampToInt(rect.Left + Scaled(std::int64_t{FLeft} + FWidth, width, screenWidth)),
               ClampToInt(rect.Top + Scaled(std::int64_t{FTop} + FHeight, height, screenHeight))};
}

void TGIFSubImage::Draw(TCanvas& canvas, const TRect& rect, bool transparent, bool tile) {
  TBitmap* bitmap = Bitmap();
  if (bitmap == nullptr) return;
  const bool masked = transparent && FIsTransparent && HasMask();
  std::vector<TRect> targets;
  if (tile) {
    // A screen without size repeats the frame at its own size.
    const int stepX = Image() != nullptr && Image()->Width() > 0 ? Image()->Width() : FWidth;
    const int stepY = Image() != nullptr && Image()->Height() > 0 ? Image()->Height() : FHeight;
    const TRect clip = canvas.ClipRect();
    const std::vector<int> columns =
        CellStarts(std::int64_t{rect.Left} + FLeft, rect.Right, stepX, FWidth, clip.Left, clip.Right);
    const std::vector<int> rows =
        CellStarts(std::int64_t{rect.Top} + FTop, rect.Bottom, stepY, FHeight, clip.Top, clip.Bottom);
    for (int x : columns)
      for (int y : rows) targets.push_back(Bounds(x, y, FWidth, FHeight));
  } else {
    targets.push_back(ScaledBounds(rect));
  }
  for (const TRect& target : targets) {
    if (masked)
      TransparentFrameBlit(canvas, target, *bitmap, *FMask);
    else
      canvas.StretchDraw(target, bitmap);
  }
}
