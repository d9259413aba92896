// How one frame of a GIF goes onto the logical screen: the colour of each of
// its 256 indices (through the palette its bitmap would take; an index past
// the palette is black), its transparent index, the disposal that follows it
// and the part of the screen it covers.
#pragma once

#include <array>
#include <cstdint>

#include "Color.h"
#include "GIFImage.h"
#include "Geometry.h"

// Disposal methods; the reserved ones 4 to 7 count as "none".
inline constexpr std::uint8_t DisposeNone = 0;
inline constexpr std::uint8_t DisposeKeep = 1;
inline constexpr std::uint8_t DisposeToBackground = 2;
inline constexpr std::uint8_t DisposeToPrevious = 3;

struct TFrameLook {
  std::array<TColor, 256> Colours{};
  int Transparent = -1;  // the transparent index, -1 for none
  std::uint8_t Disposal = DisposeNone;
  TRect Area;            // the frame on the screen, clipped to it (empty for a frame without pixels)
};

// The look of a frame on a screen of width x height.
TFrameLook LookOf(TGIFSubImage& frame, int width, int height);
