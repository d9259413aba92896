// StretchBlit: the one block copy of the raster layer. It copies a rectangle
// of one image into a rectangle of another, scaled by repeating or dropping
// whole pixels (no smoothing), combined with the target by a copy mode, and
// converted between colour and black-and-white by the rules below. Canvas
// copies, a bitmap drawing itself and the image view all come through here.
// MaskBlit is its unscaled sibling that copies through a black-and-white mask.
//
// Colour rules, by kind of source and target (a 1-bit image is black and
// white; a 1-bit pixel counts as white when its colour is white):
// - colour onto colour: colours are copied exactly (as far as the target's
//   format holds them);
// - colour onto black and white: a pixel equal to the source's background
//   colour becomes white, every other pixel black;
// - black and white onto colour: black takes the target's text colour, white
//   its background colour;
// - black and white onto black and white: copied unchanged.
#pragma once

#include "Color.h"
#include "PixelImage.h"
#include "Geometry.h"

// How copied pixels combine with the target (bit by bit on the RGB value).
enum class TCopyMode {
  cmSrcCopy,     // target := source
  cmSrcAnd,      // target := target AND source
  cmSrcPaint,    // target := target OR source
  cmSrcInvert,   // target := target XOR source
  cmNotSrcCopy,  // target := NOT source
};

struct TBlitColors {
  TColor SourceBackground = clWhite;  // colour onto black and white: this colour becomes white
  TColor TargetText = clBlack;        // black and white onto colour: black becomes this
  TColor TargetBackground = clWhite;  // black and white onto colour: white becomes this
};

// Copies sourceRect of source into targetRect of target. Both rectangles may
// reach outside their images: target pixels outside the target, or whose
// source pixel lies outside the source, are left alone. An empty or inverted
// rectangle copies nothing. Source and target may be the same image.
// Colours in `colors` may be system colours.
void StretchBlit(TPixelImage& target, const TRect& targetRect, const TPixelImage& source, const TRect& sourceRect,
                 const TBlitColors& colors, TCopyMode mode);

// Copies the whole source onto target with its top-left at `at`, unscaled,
// through a mask laid over the source: where the mask's pixel is white the
// target is kept, elsewhere it takes the source pixel (by the colour rules).
// Source pixels the mask does not cover are copied. Pixels outside the
// target are left alone.
void MaskBlit(TPixelImage& target, TPoint at, const TPixelImage& source, const TPixelImage& mask, const TBlitColors& colors);
