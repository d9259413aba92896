// Helpers of the conversion tests: options from "key=value" words by the
// option table, GIFs read from tests/data/strip, and the 1-bit BMP bytes of
// a strip as Save writes them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "GIFImage.h"
#include "StripOptions.h"

// Options from words such as "frames=spread" or "invert=on", by the option table.
StripOptions OptionsOf(const std::vector<std::string>& words);
std::string StripDataFile(const std::string& name);
std::unique_ptr<TGIFImage> LoadStripDataGif(const std::string& name);
std::vector<std::uint8_t> BmpBytesOf(TBitmap& bitmap);
