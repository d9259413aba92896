// Moving the rows follows the permutation's chains through the reached rows
// (pass rows below reachedRows): each row goes to its display row, whose
// row goes on to its own display row, and so on. A chain starts at a reached
// row that receives an unreached (zero) row and ends at the first unreached
// row it meets; chains that close on themselves are the cycles left over.
// So a frame whose data reached a few rows costs a few row moves, however
// tall it is.
#include "GIFInterlace.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Pass sizes: rows 0, 8, 16...; 4, 12...; 2, 6, 10...; 1, 3, 5...
struct TPasses {
  int First;   // pass rows before pass 1
  int Second;  // before pass 2
  int Third;   // before pass 3
  explicit TPasses(int height)
      : First((height + 7) / 8), Second(First + (height + 3) / 8), Third(Second + (height + 1) / 4) {}
};

class TRowMover {
public:
  TRowMover(std::uint8_t* pixels, std::size_t width, int height, int reachedRows)
      : FPixels(pixels), FWidth(width), FHeight(height), FReached(reachedRows),
        FCarried(width), FDone(static_cast<std::size_t>(reachedRows)) {}

  void Run() {
    for (int p = 0; p < FReached; ++p)
      if (PassRowOfRow(p, FHeight) >= FReached) FollowChain(p);
    for (int p = 0; p < FReached; ++p)
      if (!FDone[static_cast<std::size_t>(p)]) FollowCycle(p);
  }

private:
  std::uint8_t* Row(int y) { return FPixels + static_cast<std::size_t>(y) * FWidth; }

  // Row start receives a zero row; its own row and those it displaces move on
  // until one lands on an unreached row.
  void FollowChain(int start) {
    std::memcpy(FCarried.data(), Row(start), FWidth);
    std::memset(Row(start), 0, FWidth);
    FDone[static_cast<std::size_t>(start)] = true;
    int to = RowOfPassRow(start, FHeight);
    while (to < FReached) {
      std::swap_ranges(FCarried.begin(), FCarried.end(), Row(to));
      FDone[static_cast<std::size_t>(to)] = true;
      to = RowOfPassRow(to, FHeight);
    }
    std::memcpy(Row(to), FCarried.data(), FWidth);
  }

  void FollowCycle(int start) {
    std::memcpy(FCarried.data(), Row(start), FWidth);
    FDone[static_cast<std::size_t>(start)] = true;
    for (int to = RowOfPassRow(start, FHeight); to != start; to = RowOfPassRow(to, FHeight)) {
      std::swap_ranges(FCarried.begin(), FCarried.end(), Row(to));
      FDone[static_cast<std::size_t>(to)] = true;
    }
    std::memcpy(Row(start), FCarried.data(), FWidth);
  }

  std::uint8_t* FPixels;
  std::size_t FWidth;
  int FHeight;
  int FReached;
  std::vector<std::uint8_t> FCarried;
  std::vector<bool> FDone;
};

}  // namespace

int RowOfPassRow(int p, int height) {
  const TPasses passes(height);
  if (p < passes.First) return 8 * p;
  if (p < passes.Second) return 8 * (p - passes.First) + 4;
  if (p < passes.Third) return 4 * (p - passes.Second) + 2;
  return 2 * (p - passes.Third) + 1;
}

int PassRowOfRow(int y, int height) {
  const TPasses passes(height);
  if (y % 8 == 0) return y / 8;
  if (y % 8 == 4) return passes.First + y / 8;
  if (y % 4 == 2) return passes.Second + y / 4;
  return passes.Third + y / 2;
}

void DeinterlaceRows(std::uint8_t* pixels, std::size_t width, int height, int reachedRows) {
  if (width == 0 || reachedRows <= 0) return;
  TRowMover(pixels, width, height, std::min(reachedRows, height)).Run();
}
