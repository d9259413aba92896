// The independent image oracle of the tests: ImageMagick's convert program, when
// the machine has it (found when the build is configured). Tests that use it
// skip themselves when it is missing. Pictures cross over as binary PPM files.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Color.h"

struct TRgbImage {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;  // rows top to bottom
  friend bool operator==(const TRgbImage&, const TRgbImage&) = default;
};

bool OracleAvailable();
// Runs convert with the given arguments; true when it succeeded.
bool RunOracle(const std::vector<std::string>& arguments);
// The pixels of an image file as the oracle decodes it.
std::optional<TRgbImage> DecodeWithOracle(const std::string& fileName);
void WritePpm(const std::string& fileName, const TRgbImage& image);
