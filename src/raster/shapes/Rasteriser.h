// The pixels of the canvas's figures: lines, rectangles, ellipses and rounded
// rectangles, as coverages clipped to a clip rectangle. Deterministic integer
// arithmetic, no surface and no colours: the canvas decides what the covered
// pixels become.
//
// Boxes are given as TRects whose corners may come in any order: a box is
// normalised so that it holds the pixels min(x1,x2)..max(x1,x2)-1 and likewise
// in y. A box of zero width or height holds nothing.
//
// Pens (a width below 1 draws as 1, above 64 as 64):
// - Width 1 solid: a thin 8-connected line or outline. A line steps along its
//   longer axis; the other coordinate is rounded to the nearest pixel, an
//   exact half towards the start point.
// - Wider pens: a line sweeps a round brush of that diameter along its thin
//   line, centred on it (odd widths exactly; even widths reach one pixel
//   further right and down). The brushes of the editor's widths are 1, 2x2,
//   3x3, 4x4 less its corners and 5x5 less its corners. Outlines of boxed
//   figures lie inside the box: the outline is the figure less the interior
//   of the figure shrunk by width - 1 on every side.
// - psDot: one pixel on, one off, counted along a line from its start point;
//   along an outline counted from the figure's corners and the ends of its
//   axes, mirrored so that the figure stays symmetric. A dotted pen wider
//   than one pixel draws solid, as the desktop's own pens do.
// - psClear: no outline at all.
//
// The interior functions give the pixels inside the outline and never one of
// the outline's own, so outline and interior together are the whole figure.
// For the interior a pen width below 1 stands for "no pen" (psClear): the
// interior is then the whole figure. So a canvas fills the interior for the
// pen's width (0 with psClear) and then draws the outline, and each pixel of
// the figure is touched exactly once.
#pragma once

#include "Coverage.h"
#include "Geometry.h"

enum class TPenStyle { psSolid, psDot, psClear };

// The line from `from` to `to`. A width-1 line covers every pixel of the line
// except `to` itself; a wider line covers its brush around every pixel
// including `to`. A line from a point to itself covers nothing.
TCoverage LineCoverage(const TRect& clip, TPoint from, TPoint to, int penWidth, TPenStyle style);

TCoverage RectangleOutline(const TRect& clip, const TRect& box, int penWidth, TPenStyle style);
TCoverage RectangleInterior(const TRect& clip, const TRect& box, int penWidth);

// The ellipse inscribed in the box: a pixel belongs to it when its centre lies
// on or inside the ellipse that touches the box's outer edges. Its middle row
// and column (two of each for even sizes) are always whole, so that even a
// very flat or thin ellipse reaches all four sides of its box.
TCoverage EllipseOutline(const TRect& clip, const TRect& box, int penWidth, TPenStyle style);
TCoverage EllipseInterior(const TRect& clip, const TRect& box, int penWidth);

// The box with each corner rounded by a quarter of an ellipse cornerWidth
// wide and cornerHeight high. Negative corner sizes count as their absolute
// value; corners larger than the box are cut to the box (so corners as large
// as the box give the inscribed ellipse); a corner size of 0 gives square
// corners.
TCoverage RoundRectOutline(const TRect& clip, const TRect& box, int cornerWidth, int cornerHeight,
                           int penWidth, TPenStyle style);
TCoverage RoundRectInterior(const TRect& clip, const TRect& box, int cornerWidth, int cornerHeight,
                            int penWidth);
