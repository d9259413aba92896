// Why a clean stream is safe to decode later. The scan follows the codes
// exactly as the decoder parses them: a clear code resets the width and the
// next free code, the first code after a clear adds no entry, every other
// code adds one until the table is full, and widths grow by the same
// WidenCodes. The decoder reads a prefix of these codes, whatever the pixel
// count: it stops at the end code, or at the last pixel plus one more code
// (and the codes after a clear it meets there), all of them scanned. Within
// that prefix no read reaches the end of the data or a shortened sub-block,
// so it cannot warn; no code lies beyond the table, so it never takes the
// careful path, the only one that can fail. So such a frame decodes silently
// and the same whenever its pixels are first used.
#include "GIFLZWScan.h"

#include "GIFLZWCodes.h"

bool IsCleanCodeStream(const TGIFCodeStream& data, int codeSize) {
  if (codeSize > MaxLZWCodeSize || data.ShortFrom != TGIFCodeStream::npos) return false;
  const int clear = 1 << codeSize;
  const int end = clear + 1;
  const std::uint8_t* const bytes = data.Bytes.get();
  const std::uint64_t totalBits = std::uint64_t{data.Size} * 8;
  std::uint64_t bitPos = 0;
  int width = 0;
  std::uint32_t mask = 0;
  int nextFree = 0;
  bool afterClear = false;
  const auto reset = [&] {
    width = codeSize + 1;
    mask = (1u << width) - 1;
    nextFree = clear + 2;
    afterClear = true;
  };
  reset();  // decoding starts as if a clear code had been read
  for (;;) {
    if (bitPos + static_cast<std::uint64_t>(width) > totalBits) return false;
    const auto code = static_cast<int>(CodeAt(bytes, bitPos, mask));
    bitPos += static_cast<std::uint64_t>(width);
    // Most codes are none of clear, end or the code after a clear, and lie
    // within the table: one test lets them through.
    if (static_cast<unsigned>(code - clear) > 1 && code <= nextFree && !afterClear) [[likely]] {
      if (nextFree < MaxLZWCodes) WidenCodes(++nextFree, width, mask);
    } else if (code == clear) {
      reset();
    } else if (afterClear) {
      if (code >= clear) return false;
      afterClear = false;
    } else if (code == end) {
      return true;
    } else {
      return false;  // beyond the table
    }
  }
}
