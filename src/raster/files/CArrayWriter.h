// C source for the firmware of small monochrome displays: one header that
// holds every frame of an animation (or the one frame of a still picture) as
// a `const uint8_t` array, with macros for the width, height, frame count
// and bytes per frame, a table of the frames and their delays. The text
// compiles as C and as C++; it is written, never read.
//
// Two byte layouts:
// - rows: each row from the left, 8 pixels a byte with the leftmost in the
//   most significant bit, rows padded to whole bytes (as XBM-style drawing
//   routines and most bitmap fonts take them);
// - pages: bands of 8 rows ("pages") from the top, each a byte per column
//   from the left, the band's top row in the least significant bit; rows
//   below the picture's last are clear (as SSD1306-class controllers take
//   their display memory).
// A set bit is a black pixel; "invert" makes it a white one (for displays
// that light the pixels whose bit is set and show white-on-black).
#pragma once

#include <string>
#include <vector>

#include "Bitmap.h"
#include "Stream.h"

enum class TCArrayLayout { Rows, Pages };

struct TCArrayOptions {
  TCArrayLayout Layout = TCArrayLayout::Rows;
  bool Invert = false;
  // Puts the arrays in program memory on AVR microcontrollers (an empty
  // attribute elsewhere, so the header compiles anywhere).
  bool Progmem = false;
};

struct TCArrayFrame {
  const TBitmap& Picture;  // white pixels white, all others black
  int Delay = 0;           // hundredths of a second; held to 0..65535
};

// Writes the frames as C source whose macros and arrays begin with name (made
// a C identifier first, see CIdentifier). Nothing for no frames or frames of
// no pixels; frames that differ in size raise "All frames of a C array must
// have the same size" before anything is written.
void WriteCArray(const std::vector<TCArrayFrame>& frames, const std::string& name, const TCArrayOptions& options,
                 TStream& stream);
