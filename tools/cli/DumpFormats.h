// The picture formats the dump command can read. Each format reads a named
// file (or, for "-", the input stream) and prints its one JSON line,
// returning the exit status; a new reader
// adds its own file with its dump function and one row to the table in
// DumpFormats.cpp.
#pragma once

#include <iosfwd>
#include <string>

using TDumpFile = int (*)(const std::string& fileName, std::istream& in, std::ostream& out);

struct TDumpFormat {
  const char* Name;  // as given to --format
  TDumpFile Dump;
};

// The format of a name given to --format, or nullptr for an unknown one.
const TDumpFormat* FindDumpFormat(const std::string& name);
// The format a file name implies: .gif (any letter case) is GIF, anything else BMP.
const TDumpFormat& FormatOfFileName(const std::string& fileName);

// {"format":"bmp","ok":true,"width":W,"height":H,"pixels":"rrggbb..."} (BmpDump.cpp).
int DumpBmp(const std::string& fileName, std::istream& in, std::ostream& out);
