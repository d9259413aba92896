#include "Scaling.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// What one target pixel takes along an axis: source pixels from First, with
// their weights (shares of Total).
struct TTap {
  int First = 0;
  std::vector<std::uint32_t> Weights;
};

struct TAxisMap {
  std::vector<TTap> Taps;
  std::uint32_t Total = 1;
};

// A target of t pixels over a source of s: when shrinking, target pixel x
// covers [x * s, (x + 1) * s) in units where a source pixel is t long; when
// growing, it repeats the source pixel its centre falls on.
TAxisMap MapAxis(int s, int t) {
  TAxisMap map;
  map.Taps.resize(static_cast<std::size_t>(t));
  if (t >= s) {
    for (int x = 0; x < t; ++x)
      map.Taps[static_cast<std::size_t>(x)] = {static_cast<int>((2 * std::int64_t{x} + 1) * s / (2 * std::int64_t{t})), {1}};
    return map;
  }
  map.Total = static_cast<std::uint32_t>(s);
  for (int x = 0; x < t; ++x) {
    const std::int64_t begin = std::int64_t{x} * s, end = begin + s;
    TTap& tap = map.Taps[static_cast<std::size_t>(x)];
    tap.First = static_cast<int>(begin / t);
    for (std::int64_t i = tap.First; i * t < end; ++i)
      tap.Weights.push_back(static_cast<std::uint32_t>(std::min(end, (i + 1) * t) - std::max(begin, i * t)));
  }
  return map;
}

struct TSums {
  std::uint64_t R = 0, G = 0, B = 0;
  void Add(TColor c, std::uint64_t w) {
    R += w * GetRValue(c);
    G += w * GetGValue(c);
    B += w * GetBValue(c);
  }
};

std::uint8_t Rounded(std::uint64_t sum, std::uint64_t total) { return static_cast<std::uint8_t>((2 * sum + total) / (2 * total)); }

// Picks the rows, then the columns, of source's part left..left + width,
// top..top + height that the maps name; sums stay exact until the end.
TColourPicture Resample(const TColourPicture& source, int left, int top, const TAxisMap& across, const TAxisMap& down) {
  const int width = static_cast<int>(across.Taps.size()), height = static_cast<int>(down.Taps.size());
  TColourPicture target(width, height, clWhite);
  std::vector<TSums> row(static_cast<std::size_t>(width));
  const std::uint64_t total = std::uint64_t{across.Total} * down.Total;
  for (int y = 0; y < height; ++y) {
    std::fill(row.begin(), row.end(), TSums{});
    const TTap& vertical = down.Taps[static_cast<std::size_t>(y)];
    for (std::size_t j = 0; j < vertical.Weights.size(); ++j) {
      const TColor* line = source.Row(top + vertical.First + static_cast<int>(j)) + left;
      for (int x = 0; x < width; ++x) {
        const TTap& horizontal = across.Taps[static_cast<std::size_t>(x)];
        for (std::size_t i = 0; i < horizontal.Weights.size(); ++i)
          row[static_cast<std::size_t>(x)].Add(line[horizontal.First + static_cast<int>(i)],
                                               std::uint64_t{horizontal.Weights[i]} * vertical.Weights[j]);
      }
    }
    TColor* out = target.Row(y);
    for (int x = 0; x < width; ++x) {
      const TSums& s = row[static_cast<std::size_t>(x)];
      out[x] = RGB(Rounded(s.R, total), Rounded(s.G, total), Rounded(s.B, total));
    }
  }
  return target;
}

// a * b / c rounded to the nearest, at least 1.
int ScaledSide(int a, int b, int c) { return std::max(1, static_cast<int>((2 * std::int64_t{a} * b + c) / (2 * std::int64_t{c}))); }

}  // namespace

TColourPicture ScalePicture(const TColourPicture& source, int width, int height) {
  if (width == source.Width && height == source.Height) return source;
  return Resample(source, 0, 0, MapAxis(source.Width, width), MapAxis(source.Height, height));
}

TColourPicture FitPicture(const TColourPicture& source, int width, int height, Fitting fitting) {
  const bool wider = std::int64_t{width} * source.Height >= std::int64_t{height} * source.Width;
  if (fitting == Fitting::Fill) {
    // The centre part of the source that has the target's shape.
    const int partWidth = wider ? source.Width : std::min(source.Width, ScaledSide(source.Height, width, height));
    const int partHeight = wider ? std::min(source.Height, ScaledSide(source.Width, height, width)) : source.Height;
    return Resample(source, (source.Width - partWidth) / 2, (source.Height - partHeight) / 2,
                    MapAxis(partWidth, width), MapAxis(partHeight, height));
  }
  if (fitting == Fitting::Stretch) return ScalePicture(source, width, height);
  const int fittedWidth = wider ? std::min(width, ScaledSide(source.Width, height, source.Height)) : width;
  const int fittedHeight = wider ? height : std::min(height, ScaledSide(source.Height, width, source.Width));
  const TColourPicture fitted = ScalePicture(source, fittedWidth, fittedHeight);
  TColourPicture target(width, height, clWhite);
  const int left = (width - fittedWidth) / 2, top = (height - fittedHeight) / 2;
  for (int y = 0; y < fittedHeight; ++y) std::copy(fitted.Row(y), fitted.Row(y) + fittedWidth, target.Row(top + y) + left);
  return target;
}
