// The independent image oracle of the tests: ImageMagick, when the machine has
// it. It is looked up when first needed, as `magick`, `convert-im6.q16` or
// `convert` on PATH, and counts only when its version output says ImageMagick;
// a look-alike of the same name counts as absent. Tests that use it skip
// themselves when it is absent, with OracleMissingReason() as the reason.
// Pictures cross over as binary PPM files, written into a folder the test
// gives (its own temporary folder), never beside the files it decodes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Color.h"
#include "TestFiles.h"

struct TRgbImage {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;  // rows top to bottom
  friend bool operator==(const TRgbImage&, const TRgbImage&) = default;
};

bool OracleAvailable();
// Why the oracle is absent (which names were tried and what they turned out to be).
std::string OracleMissingReason();
// Runs the oracle's convert command with the given arguments; true when it succeeded.
bool RunOracle(const std::vector<std::string>& arguments);
// The pixels of an image file as the oracle decodes it; its scratch file goes into scratch.
std::optional<TRgbImage> DecodeWithOracle(const std::string& fileName, const TTempDir& scratch);
void WritePpm(const std::string& fileName, const TRgbImage& image);
