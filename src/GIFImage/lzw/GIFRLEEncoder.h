// TRLEEncoder: the run-length style image data encoder. It keeps no string
// table: it writes pixel codes, and for runs of one pixel the codes that the
// decoder's own table building turns into runs. Right after a clear code,
// the pixel p followed by the first free code, the first free code + 1, ...
// each arrives before the decoder has that entry, so the decoder defines it
// as the previous string plus its first pixel: runs of 2, 3, ... times p.
// The encoder counts the codes since the last clear to know the decoder's
// table, its code width and when to clear again; the stream it writes is an
// ordinary LZW code stream that any decoder reads.
#pragma once

#include <cstdint>

#include "GIFEncoder.h"

class TRLEEncoder : public TGIFEncoder {
public:
  TRLEEncoder(TCodeByteSink& sink, int minimumCodeSize, int colorLimit);

protected:
  void Clear() override;
  void Compress() override;

private:
  // A pixel code or a run code: one more entry in the decoder's table, a
  // wider code when the table needs it, and a clear at the clear point.
  void WritePlain(std::uint32_t code);
  // count pixels of the run pixel, by the cheapest of the ways below.
  void FlushRun(std::int64_t count);
  // Builds the runs 1, 2, 3, ... of the pixel from the start of the table.
  void FlushFromClear(std::int64_t count);
  // Writes the longest run the table holds as often as it fits, then the rest.
  void FlushWithTable(std::int64_t count);
  // Back to the usual clear point; a clear when the codes have reached it.
  void RestoreClearPoint();
  std::uint32_t RunCode(std::int64_t length) const {
    return FFirstFree + static_cast<std::uint32_t>(length) - 2;
  }

  std::int64_t FBumpAfterClear;
  std::int64_t FClearAfterClear;
  // Codes a table can take after a clear before it is full.
  std::int64_t FCodeLimit;
  std::int64_t FBumpPoint = 0;
  std::int64_t FClearPoint = 0;
  std::int64_t FCodesSinceClear = 0;
  // The pixel of the runs in the decoder's table and the longest of them.
  std::uint32_t FRunTablePixel = 0;
  std::int64_t FRunTableSize = 0;
  // The run being gathered; FRunLength 0 before the first pixel.
  std::uint32_t FRunPixel = 0;
  std::int64_t FRunLength = 0;
  bool FJustCleared = false;
};
