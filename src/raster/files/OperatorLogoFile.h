// The logo files of the phone logo editors: operator logos (.nol) and group
// graphics (.ngg). Both are a short header of little-endian 16-bit fields
// followed by one ASCII character a pixel, '1' black and '0' white, row by
// row from the top with nothing between the rows.
//
// Operator logo, 20 bytes of header: "NOL" 0, 1, the network's country code
// (MCC), its network code (MNC), width, height, 1, 1, 0x53.
// Group graphic, 16 bytes of header: "NGG" 0, 1, width, height, 1, 1, 0x4A.
#pragma once

#include <cstdint>

#include "PixelImage.h"
#include "Stream.h"

// The network an operator logo is for. The picture does not depend on it; a
// phone shows the logo only while it is on that network.
struct TOperatorNetwork {
  std::uint16_t CountryCode = 0;  // MCC, e.g. 262
  std::uint16_t NetworkCode = 0;  // MNC, e.g. 1
};

// Read the rest of the stream as a logo file into a black-and-white picture.
// A stream of 0 bytes, or a declared width or height of 0, gives an empty
// (0 x 0) picture. Raise "Operator logo (NOL) is not valid" or "Group graphic
// (NGG) is not valid" for another signature, a pixel character other than '0'
// and '1', or a file that ends early, and "Out of system resources" for a size
// over the pixel cap (both checked before anything is allocated). Bytes after
// the last pixel are ignored (some writers pad the pixels to whole bytes).
TPixelImage ReadNol(TStream& stream);
TPixelImage ReadNgg(TStream& stream);

// Write the picture (white pixels white, all others black) as a logo file;
// nothing for an empty picture. A side over 65535 raises "The picture is too
// large for the NOL format" (or NGG) before anything is written.
void WriteNol(const TPixelImage& picture, TStream& stream, const TOperatorNetwork& network = {});
void WriteNgg(const TPixelImage& picture, TStream& stream);
