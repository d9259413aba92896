// The picture formats the dump command can read. Each format turns a whole
// stream into the colours of its pixels; a format whose reader is not built yet
// has none and the command reports that. A new reader adds its own file with
// its dump function and one row to the table in DumpFormats.cpp.
#pragma once

#include <string>
#include <vector>

#include "Color.h"
#include "Stream.h"

struct TDumpedPicture {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;  // rows top to bottom, left to right
};

using TDumpReader = TDumpedPicture (*)(TStream& stream);

struct TDumpFormat {
  const char* Name;   // as given to --format and printed in the output
  TDumpReader Read;   // nullptr: not readable yet
};

// The format of a name given to --format, or nullptr for an unknown one.
const TDumpFormat* FindDumpFormat(const std::string& name);
// The format a file name implies: .gif (any letter case) is GIF, anything else BMP.
const TDumpFormat& FormatOfFileName(const std::string& fileName);

// The BMP reader's picture (BmpDump.cpp).
TDumpedPicture DumpBmp(TStream& stream);
