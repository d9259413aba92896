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

// offset * extent / screen, rounded up: where a screen edge falls when the
// screen is stretched over extent pixels by repeating or dropping whole pixels
// (pixel t shows screen pixel t * screen / extent, rounded down), so that the
// edges of a frame are those of the screen pixels it covers.
std::int64_t Scaled(std::int64_t offset, std::int64_t extent, std::int64_t screen) {
  const std::int64_t product = offset * extent;
  return product >= 0 ? (product + screen - 1) / screen : -(-product / screen);
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

// Unscaled, the bitmap at its own size at the frame's offset. Scaled, the
// whole screen is stretched over rect with the bitmap at the frame's place in
// it: each pixel of rect shows the screen pixel that stretching the whole
// screen puts there, the frame drawing only those it covers. So every frame
// shows a screen pixel on the same pixels of rect, and covers exactly its
// ScaledBounds, which is what disposal clears.
TGIFSubImage::TPlacement TGIFSubImage::PlacementIn(const TRect& rect) const {
  const TRect whole = Rect(0, 0, FWidth, FHeight);
  const int screenWidth = Image() != nullptr ? Image()->Width() : 0;
  const int screenHeight = Image() != nullptr ? Image()->Height() : 0;
  if (screenWidth <= 0 || screenHeight <= 0) return {rect, whole};
  if (std::int64_t{rect.Right} - rect.Left == screenWidth && std::int64_t{rect.Bottom} - rect.Top == screenHeight)
    return {ScaledBounds(rect), whole};
  return {rect, Rect(-FLeft, -FTop, screenWidth - FLeft, screenHeight - FTop)};
}

void TGIFSubImage::Draw(TCanvas& canvas, const TRect& rect, bool transparent, bool tile) {
  TBitmap* bitmap = Bitmap();
  if (bitmap == nullptr) return;
  const bool masked = transparent && FIsTransparent && HasMask();
  std::vector<TPlacement> placements;
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
      for (int y : rows) placements.push_back({Bounds(x, y, FWidth, FHeight), Rect(0, 0, FWidth, FHeight)});
  } else {
    placements.push_back(PlacementIn(rect));
  }
  for (const TPlacement& placement : placements) {
    if (masked)
      TransparentFrameBlit(canvas, placement.Target, placement.Source, *bitmap, *FMask);
    else
      canvas.CopyImage(placement.Target, bitmap->Image(), placement.Source, bitmap->BackgroundColor());
  }
}
