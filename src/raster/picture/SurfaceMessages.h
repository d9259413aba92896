// Message texts raised by the raster surface (bitmaps, canvases, image views),
// each written once, and the error type of an invalid graphic operation. The
// BMP texts live in RasterMessages.h.
#pragma once

#include "Exception.h"

inline constexpr const char* SScanLineOutOfRange = "Scan line index out of range";
inline constexpr const char* SInvalidPixelFormat = "Invalid pixel format";
inline constexpr const char* SImageNeedsBitmap = "Can only modify an image if it contains a bitmap";

// An operation that the graphic cannot do in its state (a row outside the
// image, an unknown pixel format, the canvas of a view that holds no bitmap).
class EInvalidGraphicOperation : public Exception {
public:
  using Exception::Exception;
};
