// The GIF part of korvane-cli's dump command: one JSON line that shows what
// the codec read from a GIF file, or the exact message it failed with.
#pragma once

#include <iosfwd>
#include <string>

// Reads the file ("-": the input stream) and prints the JSON line; 0 when it was read, 1 when not.
int DumpGif(const std::string& fileName, std::istream& in, std::ostream& out);
// The same for a named file only.
int DumpGif(const std::string& fileName, std::ostream& out);
