// A GIF document as one JSON object: logical screen, colour tables, frames
// with their pixels and every extension in file order; or the message a read
// failed with. korvane-cli's dump prints it, and the codec's tests compare
// documents through it.
#pragma once

#include <string>

class TGIFImage;

// The JSON object (without line end) of a document that was read.
std::string GifDocumentJson(TGIFImage& image);
// The JSON object (without line end) of a failed read.
std::string GifErrorJson(const std::string& message);
