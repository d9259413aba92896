// A cheap look at a frame's gathered codes before deciding to decode them
// later: it tells whether decoding them can go wrong in any way a reader of
// the file would notice (a warning, a failure, the careful path).
#pragma once

#include "GIFCodeStream.h"

// True when the codes are clean: the initial code size is at most 11, no
// sub-block was cut short, the code after every clear code is a plain index,
// no code up to the end code lies beyond the next free table entry, and the
// end code comes within the data.
bool IsCleanCodeStream(const TGIFCodeStream& data, int codeSize);
