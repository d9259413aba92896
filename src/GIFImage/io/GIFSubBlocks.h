// Text carried in data sub-blocks (comments, plain text): one line per
// sub-block when read, lines cut into 255-byte pieces when written.
#pragma once

#include "GIFExtension.h"

class TStream;

// Replaces lines with one line per non-empty sub-block, each cut at its first
// 0x00 byte; a zero size or the end of the stream ends the text. A sub-block
// shorter than its size raises "Premature end of data".
void ReadSubBlockLines(TStream& stream, TGIFLines& lines);
// Each line in pieces of at most 255 bytes with their sizes, then 0x00.
void WriteSubBlockLines(TStream& stream, const TGIFLines& lines);
