// The row order of interlaced frames: their rows come in four passes, every
// 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1. A
// row's place in that order is its pass row. Decoding writes the rows in pass
// order and then moves them into display order in place, touching only the
// rows the data reached.
#pragma once

#include <cstddef>
#include <cstdint>

// The display row of pass row p, and the pass row of display row y, in a
// frame of the given height.
int RowOfPassRow(int p, int height);
int PassRowOfRow(int y, int height);

// pixels holds height rows of width indices in pass order, of which the first
// reachedRows came from the data and the others are all zero. Puts them in
// display order, with zeros in the rows the data did not reach.
void DeinterlaceRows(std::uint8_t* pixels, std::size_t width, int height, int reachedRows);
