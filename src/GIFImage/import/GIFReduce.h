// Colour reduction of a bitmap to an 8-bit palette image, the first step of
// importing a bitmap that has no palette of its own. The reduction method
// picks the palette and the colour lookup, the dither kind the engine that
// spreads each pixel's error:
//   method 0      a copy at 24 bits per pixel (the colours themselves)
//   method 1..6   a fixed palette (system, halftone, four greys, black and
//                 white, 256 greys, the 216-colour cube)
//   method 7      an octree palette of 2^depth colours from the image
//   method 8      the system colours around 236 octree colours
//   method 9      the caller's palette
//   dither 0      no diffusion; 1..6 Floyd-Steinberg, Stucki, Sierra,
//                 Jarvis-Judice-Ninke, Stevenson-Arce, Burkes
// A method above 9, a dither kind above 6 or a lookup without colours gives
// an empty bitmap.
#pragma once

#include <cstdint>
#include <memory>

#include "Bitmap.h"
#include "ColorLookup.h"
#include "DitherEngine.h"
#include "Palette.h"

inline constexpr std::uint8_t rmNone = 0;
inline constexpr std::uint8_t rmQuantize = 7;
inline constexpr std::uint8_t rmQuantizeWindows = 8;
inline constexpr std::uint8_t rmPalette = 9;
inline constexpr std::uint8_t MaxDitherKind = 6;
// The depth of the octree method is a colour count of 2^0 to 2^8.
inline constexpr int MaxReductionDepth = 8;

// A new bitmap for the caller. Except for method 0 the source itself is
// switched to 24 bits per pixel (keeping its colours) and stays so. The
// result of methods 1 to 9 is an 8-bit image whose colour table is the
// palette's entries followed by black ones up to 256.
std::unique_ptr<TBitmap> ReduceToIndexed(TBitmap& bitmap, std::uint8_t method, std::uint8_t ditherKind, int depth,
                                         const TPalette* customPalette);

// The engine of a dither kind for rows of the given width, or none for a
// kind above 6.
std::unique_ptr<TDitherEngine> MakeDitherEngine(std::uint8_t ditherKind, int width, TColorLookup& lookup);
