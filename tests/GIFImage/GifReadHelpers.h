// Reading a GIF held in memory the way the tests need it: the document, the
// warnings it produced, the error it failed with and where the stream stood
// afterwards, through an ordinary stream or one that gives a byte at a time.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "GIFImage.h"
#include "GifBuilder.h"

struct TReadOutcome {
  std::unique_ptr<TGIFImage> Image;
  std::string Json;                   // what the document holds afterwards
  std::string Error;                  // empty after a successful read
  std::vector<std::string> Warnings;  // in the order they came
  std::int64_t Position = 0;          // of the stream after reading
};

// Reads bytes from offset start of a memory stream into a document with the
// given FramesDecodedOnLoad; describe fills Json.
TReadOutcome ReadGif(const TBytes& bytes, bool oneByteAtATime, std::int64_t start = 0, bool describe = true,
                     int framesDecodedOnLoad = AllFramesDecodedOnLoad);
// Reads both ways, expects the same outcome (a failed expectation names the
// difference) and returns the outcome of the ordinary stream.
TReadOutcome ReadGifBothWays(const TBytes& bytes, std::int64_t start = 0);

// A whole valid file: header with a global table of n grey levels, the given
// frames (width, height, indices), trailer.
TBytes SimpleGif(int width, int height, const TBytes& indices, int colors = 4);
// Width * height indices counting up modulo n.
TBytes Ramp(int width, int height, int n);
std::vector<std::uint32_t> Greys(int n);
