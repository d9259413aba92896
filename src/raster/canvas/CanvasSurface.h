// TCanvasSurface: what a canvas draws on, as the canvas sees it: pixels that
// it reads and writes, and an owner told after each change. TBitmap is the
// surface of every canvas; the canvas knows it only through this, so that
// the canvas stands below the bitmap that owns it.
#pragma once

#include <memory>

class TPixelImage;

class TCanvasSurface {
public:
  // The pixels as stored, for reading.
  virtual const TPixelImage& Pixels() const = 0;
  // The pixels for writing, this surface's own (shared with no copy).
  virtual TPixelImage& MutablePixels() = 0;
  // The pixels held, so that a copy from a surface onto itself reads them as
  // they were.
  virtual std::shared_ptr<const TPixelImage> SharedPixels() const = 0;
  // Called after the canvas changed the pixels.
  virtual void PixelsChanged() = 0;

protected:
  ~TCanvasSurface() = default;
};
