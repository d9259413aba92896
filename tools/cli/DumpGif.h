// The GIF part of korvane-cli's dump command: one JSON line that shows what
// the codec read from a GIF file (logical screen, frames with their pixels,
// every extension in file order), or the exact message it failed with.
#pragma once

#include <iosfwd>
#include <string>

class TGIFImage;

// Reads the file ("-": the input stream) and prints the JSON line; 0 when it was read, 1 when not.
int DumpGif(const std::string& fileName, std::istream& in, std::ostream& out);
// The same for a named file only.
int DumpGif(const std::string& fileName, std::ostream& out);
// The JSON object (without line end) of a document that was read.
std::string GifDocumentJson(TGIFImage& image);
// The JSON object (without line end) of a failed read.
std::string GifErrorJson(const std::string& message);
