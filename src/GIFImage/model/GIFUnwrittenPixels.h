// TGIFUnwritten: the pixels of a frame that its data did not reach, left as
// zeros in the frame's fresh buffer until someone asks for every pixel. A few
// bytes that declare a huge frame with a transparent index other than 0 so
// cost what they hold, not what they declare; the buffer's zero pages are
// never touched.
#pragma once

#include <cstddef>
#include <cstdint>

// In the order the data gave the rows (passes for an interlaced frame), the
// pixels from From on hold Value, although the buffer still holds zeros there.
struct TGIFUnwritten {
  std::int64_t From = 0;
  std::uint8_t Value = 0;
  bool Interlaced = false;
};

// How many pixels at the start of display row y the data reached.
int ReachedInRow(const TGIFUnwritten& unwritten, int y, int width, int height);

// Writes Value into the pixels the data did not reach (nothing to do for 0).
void WriteUnwritten(const TGIFUnwritten& unwritten, std::uint8_t* pixels, int width, int height);

// Copies what the data wrote from one frame's buffer into another's fresh
// (zero) buffer of the same size, leaving the rest alone.
void CopyWritten(const TGIFUnwritten& unwritten, const std::uint8_t* from, std::uint8_t* to, int width, int height);
