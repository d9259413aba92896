#include "BlackAndWhite.h"

#include <algorithm>
#include <array>
#include <vector>

#include "MonoBit.h"

namespace {

// Errors are kept in 1/256 of a grey level.
constexpr int Unit = 256;
constexpr int WhiteLevel = 255 * Unit;
constexpr int MiddleLevel = 128 * Unit;

void PutByPixelRule(const TColourPicture& picture, const StripOptions& options, TBitmap& strip, int top) {
  for (int y = 0; y < picture.Height; ++y) {
    const TColor* line = picture.Row(y);
    std::uint8_t* row = strip.ScanLine(top + y);
    for (int x = 0; x < picture.Width; ++x) PutMonoBit(row, x, WhiteByPixelRule(line[x], options));
  }
}

// A diffusion kernel: where the error of a pixel goes, in eighths or sixteenths.
struct TShare {
  int Dx, Dy, Weight;
};
constexpr std::array<TShare, 4> FloydShares{{{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}};
constexpr std::array<TShare, 6> AtkinsonShares{{{1, 0, 1}, {2, 0, 1}, {-1, 1, 1}, {0, 1, 1}, {1, 1, 1}, {0, 2, 1}}};

// Error diffusion over rows kept three deep (the pixel's row and two below),
// with two columns of margin on each side. Floyd-Steinberg's shares add up to
// the whole error: the last share takes what the rounding of the others left.
template <std::size_t N>
void PutDiffused(const TColourPicture& picture, const std::array<TShare, N>& shares, int divisor, bool invert,
                 TBitmap& strip, int top) {
  const int width = picture.Width;
  std::array<std::vector<int>, 3> errors;
  for (auto& line : errors) line.assign(static_cast<std::size_t>(width + 4), 0);
  const bool whole = N == FloydShares.size();
  for (int y = 0; y < picture.Height; ++y) {
    const TColor* line = picture.Row(y);
    std::uint8_t* row = strip.ScanLine(top + y);
    for (int x = 0; x < width; ++x) {
      const int level = LumaOf(line[x]) * Unit + errors[0][static_cast<std::size_t>(x + 2)];
      const bool white = level >= MiddleLevel;
      PutMonoBit(row, x, white != invert);
      const int error = level - (white ? WhiteLevel : 0);
      int given = 0;
      for (std::size_t i = 0; i < N; ++i) {
        const int share = whole && i + 1 == N ? error - given : error * shares[i].Weight / divisor;
        given += share;
        errors[static_cast<std::size_t>(shares[i].Dy)][static_cast<std::size_t>(x + 2 + shares[i].Dx)] += share;
      }
    }
    std::rotate(errors.begin(), errors.begin() + 1, errors.end());
    std::fill(errors[2].begin(), errors[2].end(), 0);
  }
}

// The Bayer matrix of side n (a power of 2): each doubling puts 4m, 4m + 2,
// 4m + 3 and 4m + 1 in the four quarters.
std::vector<int> BayerMatrix(int n) {
  std::vector<int> matrix{0};
  for (int side = 1; side < n; side *= 2) {
    std::vector<int> next(static_cast<std::size_t>(4 * side * side));
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        const int m = 4 * matrix[static_cast<std::size_t>(y * side + x)];
        const auto at = [&](int qx, int qy) -> int& {
          return next[static_cast<std::size_t>((y + qy * side) * 2 * side + x + qx * side)];
        };
        at(0, 0) = m;
        at(1, 0) = m + 2;
        at(0, 1) = m + 3;
        at(1, 1) = m + 1;
      }
    matrix = std::move(next);
  }
  return matrix;
}

// White where the level lies above the cell's: (2m + 1) / (2 n^2) of white.
void PutOrdered(const TColourPicture& picture, int n, bool invert, TBitmap& strip, int top) {
  const std::vector<int> matrix = BayerMatrix(n);
  for (int y = 0; y < picture.Height; ++y) {
    const TColor* line = picture.Row(y);
    std::uint8_t* row = strip.ScanLine(top + y);
    for (int x = 0; x < picture.Width; ++x) {
      const int m = matrix[static_cast<std::size_t>((y % n) * n + x % n)];
      PutMonoBit(row, x, ((2 * m + 1) * 255 < 2 * LumaOf(line[x]) * n * n) != invert);
    }
  }
}

}  // namespace

int LumaOf(TColor colour) {
  return (299 * GetRValue(colour) + 587 * GetGValue(colour) + 114 * GetBValue(colour)) / 1000;
}

bool PixelByPixel(MonoMethod method) { return method == MonoMethod::ExactWhite || method == MonoMethod::Threshold; }

bool WhiteByPixelRule(TColor colour, const StripOptions& options) {
  const bool white = options.Mono == MonoMethod::Threshold ? LumaOf(colour) >= options.Threshold : colour == clWhite;
  return white != options.Invert;
}

void PutBlackAndWhite(const TColourPicture& picture, const StripOptions& options, TBitmap& strip, int top) {
  switch (options.Mono) {
    case MonoMethod::FloydSteinberg: return PutDiffused(picture, FloydShares, 16, options.Invert, strip, top);
    case MonoMethod::Atkinson: return PutDiffused(picture, AtkinsonShares, 8, options.Invert, strip, top);
    case MonoMethod::Ordered4x4: return PutOrdered(picture, 4, options.Invert, strip, top);
    case MonoMethod::Ordered8x8: return PutOrdered(picture, 8, options.Invert, strip, top);
    case MonoMethod::ExactWhite:
    case MonoMethod::Threshold: break;
  }
  PutByPixelRule(picture, options, strip, top);
}
