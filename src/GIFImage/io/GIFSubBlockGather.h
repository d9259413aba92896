// Gathering a frame's image data: its data sub-blocks read from the stream
// into one contiguous buffer for the LZW decoder. Gathering reads ahead in
// chunks and gives back what it read beyond the data's zero-size terminator,
// so the stream ends up right after the frame's data.
#pragma once

#include "GIFCodeStream.h"

class TStream;

// Reads size bytes and sub-blocks up to and including the zero-size one, or to
// the end of the stream.
void GatherSubBlocks(TStream& stream, TGIFCodeStream& data);
