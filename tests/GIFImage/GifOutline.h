// The outline of a GIF document that writing it and reading it back must
// keep, for the round-trip tests and the round-trip fuzz target, and the
// one condition under which the writer must refuse a document that reads.
#pragma once

#include <string>
#include <vector>

class TGIFImage;

// What a written file must give back, one line per part: the logical screen
// and global table, then in file order each extension as its written bytes
// and each frame with an image as its bounds, interlace flag, local table
// (filled up to a power of two) and pixels. Frames of extensions only and
// where they end do not show, as neither survives writing.
std::vector<std::string> WrittenOutline(TGIFImage& image);
// True when a frame holds a pixel not below its colour limit (its local
// table's size, else 2 to the largest table bits of the document), which
// the writer must refuse.
bool HasPixelBeyondItsLimit(TGIFImage& image);
