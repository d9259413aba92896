#include "GIFUnwrittenPixels.h"

#include <algorithm>
#include <cstring>

#include "GIFInterlace.h"

namespace {

// The row where data stops, in the order the data gave the rows.
std::int64_t RowInDataOrder(const TGIFUnwritten& unwritten, int y, int height) {
  return unwritten.Interlaced ? PassRowOfRow(y, height) : y;
}

int RowOfDataOrder(const TGIFUnwritten& unwritten, std::int64_t row, int height) {
  return unwritten.Interlaced ? RowOfPassRow(static_cast<int>(row), height) : static_cast<int>(row);
}

}  // namespace

int ReachedInRow(const TGIFUnwritten& unwritten, int y, int width, int height) {
  const std::int64_t start = RowInDataOrder(unwritten, y, height) * width;
  return static_cast<int>(std::clamp<std::int64_t>(unwritten.From - start, 0, width));
}

void WriteUnwritten(const TGIFUnwritten& unwritten, std::uint8_t* pixels, int width, int height) {
  if (unwritten.Value == 0 || width == 0) return;
  const auto rowBytes = static_cast<std::size_t>(width);
  if (!unwritten.Interlaced) {
    const auto total = static_cast<std::size_t>(std::int64_t{width} * height);
    const auto from = static_cast<std::size_t>(unwritten.From);
    if (from < total) std::memset(pixels + from, unwritten.Value, total - from);
    return;
  }
  const std::int64_t firstRow = unwritten.From / width;
  for (std::int64_t row = firstRow; row < height; ++row) {
    const auto reached = static_cast<std::size_t>(row == firstRow ? unwritten.From % width : 0);
    std::uint8_t* line = pixels + static_cast<std::size_t>(RowOfDataOrder(unwritten, row, height)) * rowBytes;
    std::memset(line + reached, unwritten.Value, rowBytes - reached);
  }
}

void CopyWritten(const TGIFUnwritten& unwritten, const std::uint8_t* from, std::uint8_t* to, int width, int height) {
  if (width == 0) return;
  const std::int64_t total = std::int64_t{width} * height;
  if (!unwritten.Interlaced) {
    std::memcpy(to, from, static_cast<std::size_t>(std::clamp<std::int64_t>(unwritten.From, 0, total)));
    return;
  }
  for (std::int64_t row = 0; row < height && row * width < unwritten.From; ++row) {
    const std::size_t at = static_cast<std::size_t>(RowOfDataOrder(unwritten, row, height)) * static_cast<std::size_t>(width);
    const std::int64_t reached = std::min<std::int64_t>(unwritten.From - row * width, width);
    std::memcpy(to + at, from + at, static_cast<std::size_t>(reached));
  }
}
