// Drawing a frame's bitmap through its transparency mask (white where the
// frame is transparent) into a rectangle of a canvas, keeping the canvas where
// the frame is transparent. Two roads lead to the same picture:
//   MaskedFrameBlit  one masked copy of the whole source; only for a
//                    rectangle of the source's size
//   AndOrFrameBlit   a rectangle of the source (which may reach beyond it:
//                    only the pixels inside are drawn) stretched over any
//                    target: the mask is ANDed onto the canvas (clearing where
//                    the frame is opaque) and a work copy of the source with
//                    its transparent pixels black is ORed on top
// TransparentFrameBlit takes the first road when it can.
#pragma once

#include "Geometry.h"

class TBitmap;
class TCanvas;

void MaskedFrameBlit(TCanvas& canvas, const TRect& target, const TBitmap& source, const TBitmap& mask);
// Leaves the canvas's copy mode, text (font) and background (brush) colours
// as they were.
void AndOrFrameBlit(TCanvas& canvas, const TRect& target, const TRect& sourceRect, const TBitmap& source,
                    const TBitmap& mask);
void TransparentFrameBlit(TCanvas& canvas, const TRect& target, const TRect& sourceRect, const TBitmap& source,
                          const TBitmap& mask);
