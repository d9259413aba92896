#include "Rasteriser.h"

// First cut of the interface: the figures are filled in next.
TCoverage LineCoverage(const TRect& clip, TPoint, TPoint, int, TPenStyle) { return TCoverage(clip); }
TCoverage RectangleOutline(const TRect& clip, const TRect&, int, TPenStyle) { return TCoverage(clip); }
TCoverage RectangleInterior(const TRect& clip, const TRect&, int) { return TCoverage(clip); }
TCoverage EllipseOutline(const TRect& clip, const TRect&, int, TPenStyle) { return TCoverage(clip); }
TCoverage EllipseInterior(const TRect& clip, const TRect&, int) { return TCoverage(clip); }
TCoverage RoundRectOutline(const TRect& clip, const TRect&, int, int, int, TPenStyle) { return TCoverage(clip); }
TCoverage RoundRectInterior(const TRect& clip, const TRect&, int, int, int) { return TCoverage(clip); }
