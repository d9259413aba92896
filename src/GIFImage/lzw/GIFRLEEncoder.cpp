#include "GIFRLEEncoder.h"

#include <cmath>

namespace {

// The smallest n with n(n + 1) / 2 at least c (c > 0): the fewest runs
// 1, 2, ..., n that add up to c or more.
std::int64_t TriangleRoot(std::int64_t c) {
  auto n = static_cast<std::int64_t>((std::sqrt(8.0 * static_cast<double>(c) + 1.0) - 1.0) / 2.0);
  while (n > 0 && n * (n + 1) >= 2 * c) --n;
  while (n * (n + 1) < 2 * c) ++n;
  return n;
}

// The codes that a run of c pixels needs when runs of 1 up to m can be used
// after a clear.
std::int64_t TriangleCount(std::int64_t c, std::int64_t m) {
  const std::int64_t full = m * (m + 1) / 2;
  std::int64_t result = 0;
  for (; c >= full; c -= full) result += m;
  if (c > 0) result += TriangleRoot(c);
  return result;
}

}  // namespace

TRLEEncoder::TRLEEncoder(TCodeByteSink& sink, int minimumCodeSize, int colorLimit)
    : TGIFEncoder(sink, minimumCodeSize, colorLimit),
      FBumpAfterClear(FClearCode - 1),
      FClearAfterClear(minimumCodeSize <= 3 ? 9 : FClearCode - 2),
      FCodeLimit(TableCodes - 1 - FFirstFree) {}

void TRLEEncoder::Clear() {
  FBumpPoint = FBumpAfterClear;
  FClearPoint = FClearAfterClear;
  FCodesSinceClear = 0;
  FRunTableSize = 0;
  WriteCode(FClearCode);
  FJustCleared = true;
  FCodeWidth = FInitialWidth;
}

void TRLEEncoder::WritePlain(std::uint32_t code) {
  FJustCleared = false;
  WriteCode(code);
  ++FCodesSinceClear;
  if (FCodesSinceClear == FBumpPoint) {
    ++FCodeWidth;
    FBumpPoint += std::int64_t{1} << (FCodeWidth - 1);
  }
  if (FCodesSinceClear >= FClearPoint) Clear();
}

void TRLEEncoder::RestoreClearPoint() {
  FClearPoint = FClearAfterClear;
  if (FCodesSinceClear >= FClearPoint) Clear();
}

void TRLEEncoder::FlushRun(std::int64_t count) {
  if (count == 1) {
    WritePlain(FRunPixel);
  } else if (FJustCleared) {
    FlushFromClear(count);
  } else if (FRunTableSize >= 2 && FRunTablePixel == FRunPixel) {
    FlushWithTable(count);
  } else if (1 + TriangleCount(count, FCodeLimit) < count) {
    Clear();
    FlushFromClear(count);
  } else {
    for (std::int64_t i = 0; i < count; ++i) WritePlain(FRunPixel);
  }
}

void TRLEEncoder::FlushFromClear(std::int64_t count) {
  FClearPoint = FCodeLimit;
  FRunTablePixel = FRunPixel;
  std::int64_t n = 1;
  while (count > 0) {
    if (n == 1) {
      FRunTableSize = 1;
      WritePlain(FRunPixel);
      --count;
    } else if (n <= count) {
      FRunTableSize = n;
      WritePlain(RunCode(n));
      count -= n;
    } else {
      // The rest is shorter than the next run: one code of the runs there
      // are, which also adds the next run to the decoder's table.
      ++FRunTableSize;
      WritePlain(count == 1 ? FRunPixel : RunCode(count));
      break;
    }
    n = FCodesSinceClear == 0 ? 1 : n + 1;
  }
  RestoreClearPoint();
}

void TRLEEncoder::FlushWithTable(std::int64_t count) {
  const std::int64_t longest = FRunTableSize;
  std::int64_t runs = count / longest;
  std::int64_t rest = count % longest;
  std::int64_t restCodes = rest != 0 ? 1 : 0;
  if (FCodesSinceClear + runs + restCodes > FCodeLimit) {
    runs = FCodeLimit - FCodesSinceClear;
    rest = count - runs * longest;
    restCodes = 1 + TriangleCount(rest, FCodeLimit);
  }
  if (1 + TriangleCount(count, FCodeLimit) < runs + restCodes) {
    Clear();
    FlushFromClear(count);
    return;
  }
  FClearPoint = FCodeLimit;
  for (std::int64_t i = 0; i < runs; ++i) WritePlain(RunCode(longest));
  if (rest > 0) {
    if (FJustCleared) {
      FlushFromClear(rest);
    } else {
      WritePlain(rest == 1 ? FRunPixel : RunCode(rest));
    }
  }
  RestoreClearPoint();
}

void TRLEEncoder::Compress() {
  FRunLength = 0;
  Clear();
  ForEachSpan([this](const std::uint8_t* pixels, std::size_t count) {
    std::size_t i = 0;
    while (i < count) {
      const std::uint32_t pixel = pixels[i];
      std::size_t end = i + 1;
      while (end < count && pixels[end] == pixel) ++end;
      const auto length = static_cast<std::int64_t>(end - i);
      if (FRunLength > 0 && pixel == FRunPixel) {
        FRunLength += length;
      } else {
        if (FRunLength > 0) FlushRun(FRunLength);
        FRunPixel = pixel;
        FRunLength = length;
      }
      i = end;
    }
  });
  FlushRun(FRunLength);
}
