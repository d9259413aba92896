#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <stdexcept>

#include "FixedPalettes.h"
#include "GIFImage.h"
#include "ColorLookup.h"
#include "DitherEngine.h"
#include "DitherErrorRows.h"
#include "DitherFloydSteinberg.h"
#include "SystemPalettes.h"

namespace {

// A 24-bit row-major picture, three bytes per pixel in blue, green, red order.
struct TImage {
  int Width, Height;
  std::vector<std::uint8_t> Bgr;
  const std::uint8_t* Row(int y) const { return Bgr.data() + 3 * Width * y; }
};

TImage MakeImage(int width, int height, const std::function<std::array<int, 3>(int, int)>& rgb) {
  TImage image{width, height, std::vector<std::uint8_t>(3 * static_cast<std::size_t>(width * height))};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto c = rgb(x, y);
      for (int ch = 0; ch < 3; ++ch) image.Bgr[3 * (y * width + x) + ch] = static_cast<std::uint8_t>(c[2 - ch]);
    }
  return image;
}

// An engine with its weights drawn as a picture: row 0 holds the current
// pixel at column Origin, moving right; later rows lie below.
struct TEngineKind {
  const char* Name;
  std::function<std::unique_ptr<TDitherEngine>(int, TColorLookup&)> Make;
  int Divisor;
  int Origin;
  std::vector<std::vector<int>> Kernel;
};

template <class T>
std::unique_ptr<TDitherEngine> Make(int width, TColorLookup& lookup) {
  return std::make_unique<T>(width, lookup);
}

const TEngineKind Plain{"Plain", Make<TDitherEngine>, 1, 0, {}};
const TEngineKind Diffusing[] = {
    {"FloydSteinberg", Make<TFloydSteinbergDitherer>, 16, 1, {{0, 0, 7}, {3, 5, 1}}},
    {"Stucki", Make<TStuckiDitherer>, 42, 2, {{0, 0, 0, 8, 4}, {2, 4, 8, 4, 2}, {1, 2, 4, 2, 1}}},
    {"Sierra", Make<TSierraDitherer>, 32, 2, {{0, 0, 0, 5, 3}, {2, 4, 5, 4, 2}, {0, 2, 3, 2, 0}}},
    {"JaJuNi", Make<TJaJuNiDitherer>, 48, 2, {{0, 0, 0, 7, 5}, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1}}},
    {"SteveArche", Make<TSteveArcheDitherer>, 200, 3,
     {{0, 0, 0, 0, 0, 32, 0}, {12, 0, 26, 0, 30, 0, 16}, {0, 12, 0, 26, 0, 12, 0}, {5, 0, 12, 0, 12, 0, 5}}},
    {"Burkes", Make<TBurkesDitherer>, 32, 2, {{0, 0, 0, 8, 4}, {2, 4, 8, 4, 2}}},
};

// Textbook error diffusion over a whole-image error buffer: serpentine rows,
// (sum of weighted errors + D/2) / D truncated toward zero, clamped, errors
// past the image's edges dropped.
std::vector<std::uint8_t> ReferenceDither(const TEngineKind& kind, const TImage& image, TColorLookup& lookup) {
  const int w = image.Width, h = image.Height;
  std::vector<std::array<int, 3>> sum(static_cast<std::size_t>(w * h));
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(w * h));
  for (int y = 0; y < h; ++y) {
    const int dir = y % 2 == 0 ? 1 : -1;
    for (int i = 0; i < w; ++i) {
      const int x = dir > 0 ? i : w - 1 - i;
      std::array<int, 3> value;
      for (int ch = 0; ch < 3; ++ch)
        value[ch] =
            std::clamp(image.Row(y)[3 * x + 2 - ch] + (sum[y * w + x][ch] + kind.Divisor / 2) / kind.Divisor, 0, 255);
      const TColorMatch m = lookup.MatchColor(value[0], value[1], value[2]);
      indices[y * w + x] = m.Index;
      const int error[3] = {value[0] - m.Red, value[1] - m.Green, value[2] - m.Blue};
      for (std::size_t ky = 0; ky < kind.Kernel.size(); ++ky)
        for (std::size_t kx = 0; kx < kind.Kernel[ky].size(); ++kx) {
          const int tx = x + dir * (static_cast<int>(kx) - kind.Origin), ty = y + static_cast<int>(ky);
          if (tx < 0 || tx >= w || ty >= h) continue;
          for (int ch = 0; ch < 3; ++ch) sum[ty * w + tx][ch] += kind.Kernel[ky][kx] * error[ch];
        }
    }
  }
  return indices;
}

// Runs an engine pixel by pixel, or by whole rows, and returns the indices.
std::vector<std::uint8_t> RunEngine(const TEngineKind& kind, const TImage& image, TColorLookup& lookup, bool byRows) {
  auto engine = kind.Make(image.Width, lookup);
  std::vector<std::uint8_t> indices(image.Bgr.size() / 3);
  for (int y = 0; y < image.Height; ++y) {
    std::uint8_t* out = indices.data() + y * image.Width;
    if (byRows) {
      engine->QuantizeRow(image.Row(y), out);
      continue;
    }
    for (int steps = 0; engine->InRow() && steps <= image.Width; ++steps) {
      const int x = engine->Column();
      const std::uint8_t* p = image.Row(y) + 3 * x;
      out[x] = engine->QuantizePixel(p[2], p[1], p[0]).Index;
    }
    engine->EndRow();
  }
  return indices;
}

// Answers with the colour asked for (no error), except that the red it
// answers is Kick below the red asked for; records the red asked for.
class TProbeLookup : public TColorLookup {
public:
  TProbeLookup() : TColorLookup(256) {}
  TColorMatch MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override {
    LastRed = red;
    return {0, static_cast<std::uint8_t>(red - Kick), green, blue};
  }
  int Kick = 0;
  int LastRed = 0;
};

constexpr int Skipped = 1000;

// Red error reaching every pixel of a 9 x 6 grey picture when the pixel at
// (px, py) alone makes an error of `kick`; pixel (skipX, py) is skipped.
std::vector<int> ImpulseResponse(const TEngineKind& kind, int px, int py, int kick, int skipX = -1) {
  const int w = 9, h = 6, grey = 120;
  TProbeLookup probe;
  auto engine = kind.Make(w, probe);
  std::vector<int> reached(w * h);
  for (int y = 0; y < h; ++y) {
    for (int steps = 0; engine->InRow() && steps <= w; ++steps) {
      const int x = engine->Column();
      if (y == py && x == skipX) {
        engine->SkipPixel();
        reached[y * w + x] = Skipped;
        continue;
      }
      const bool source = x == px && y == py;
      // The source pixel takes no error, so its own value is what is matched.
      probe.Kick = source ? kick : 0;
      engine->QuantizePixel(source ? (kick > 0 ? 255 : 0) : grey, 0, 0);
      reached[y * w + x] = source ? 0 : probe.LastRed - grey;
    }
    engine->EndRow();
  }
  return reached;
}

// The kernel laid over the picture at (px, py), mirrored on right-to-left
// rows, each weight w turned into the share that an error of `kick` makes.
std::vector<int> ExpectedResponse(const TEngineKind& kind, int px, int py, int kick, int skipX = -1) {
  const int w = 9, h = 6, dir = py % 2 == 0 ? 1 : -1;
  std::vector<int> expected(w * h);
  for (std::size_t ky = 0; ky < kind.Kernel.size(); ++ky)
    for (std::size_t kx = 0; kx < kind.Kernel[ky].size(); ++kx) {
      const int x = px + dir * (static_cast<int>(kx) - kind.Origin), y = py + static_cast<int>(ky);
      if (x >= 0 && x < w && y < h)
        expected[y * w + x] = (kind.Kernel[ky][kx] * kick + kind.Divisor / 2) / kind.Divisor;
    }
  if (skipX >= 0) expected[py * w + skipX] = Skipped;
  return expected;
}

void PrintTo(const TEngineKind& kind, std::ostream* out) { *out << kind.Name; }

class DiffusingEngine : public testing::TestWithParam<TEngineKind> {};

INSTANTIATE_TEST_SUITE_P(Engines, DiffusingEngine, testing::ValuesIn(Diffusing),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace

TEST_P(DiffusingEngine, SpreadsOneErrorByItsWeightsInBothDirections) {
  const TEngineKind& kind = GetParam();
  // Inside, at both edges, in left-to-right and right-to-left rows; a
  // negative error shows the truncation toward zero (7 * -16 gives -6).
  for (auto [px, py] : {std::pair{4, 0}, {4, 1}, {0, 2}, {8, 2}, {0, 3}, {8, 3}, {6, 5}})
    for (int kick : {kind.Divisor, -kind.Divisor})
      EXPECT_EQ(ImpulseResponse(kind, px, py, kick), ExpectedResponse(kind, px, py, kick))
          << px << "," << py << " kick " << kick;
}

TEST_P(DiffusingEngine, SkippedPixelTakesAndSpreadsNothing) {
  const TEngineKind& kind = GetParam();
  EXPECT_EQ(ImpulseResponse(kind, 3, 1, kind.Divisor, 2), ExpectedResponse(kind, 3, 1, kind.Divisor, 2));
  EXPECT_EQ(ImpulseResponse(kind, 3, 0, kind.Divisor, 4), ExpectedResponse(kind, 3, 0, kind.Divisor, 4));
}

TEST_P(DiffusingEngine, MatchesWholeImageReferenceOnGradients) {
  const TEngineKind& kind = GetParam();
  const TImage colours = MakeImage(16, 10, [](int x, int y) { return std::array{x * 17, y * 28, (x + y) * 10}; });
  const TImage greys = MakeImage(16, 10, [](int x, int y) { return std::array{x * 16 + y, x * 16 + y, x * 16 + y}; });
  TNetscapeColorLookup cube;
  TFastColorLookup fourGreys(FourGrayPalette());
  TMonochromeLookup mono;
  EXPECT_EQ(RunEngine(kind, colours, cube, false), ReferenceDither(kind, colours, cube));
  EXPECT_EQ(RunEngine(kind, colours, fourGreys, false), ReferenceDither(kind, colours, fourGreys));
  EXPECT_EQ(RunEngine(kind, greys, mono, false), ReferenceDither(kind, greys, mono));
}

TEST_P(DiffusingEngine, FlatGreyKeepsItsBrightnessInBlackAndWhite) {
  TMonochromeLookup mono;
  for (int level : {32, 64, 128, 192}) {
    const TImage flat = MakeImage(128, 128, [&](int, int) { return std::array{level, level, level}; });
    const auto indices = RunEngine(GetParam(), flat, mono, true);
    const double white = static_cast<double>(std::count(indices.begin(), indices.end(), 1)) / indices.size();
    // Rounding toward zero favours white a little, edges lose some error.
    EXPECT_NEAR(white, level / 255.0, 0.015) << level;
  }
}

TEST(DitherEngines, RowEntryPointGivesThePixelByPixelResult) {
  std::mt19937 random(3);
  const TImage noisy = MakeImage(37, 9, [&](int x, int y) {
    return std::array{static_cast<int>(x * 7 + random() % 40), static_cast<int>(y * 25 + random() % 30),
                      static_cast<int>(random() % 256)};
  });
  TNetscapeColorLookup cube;
  TFastColorLookup halftone(HalftonePalette());
  TGrayScaleLookup gray;
  TMonochromeLookup mono;
  std::vector<TEngineKind> kinds(std::begin(Diffusing), std::end(Diffusing));
  kinds.push_back(Plain);
  for (const TEngineKind& kind : kinds)
    for (TColorLookup* lookup : std::initializer_list<TColorLookup*>{&cube, &halftone, &gray, &mono})
      EXPECT_EQ(RunEngine(kind, noisy, *lookup, true), RunEngine(kind, noisy, *lookup, false)) << kind.Name;
  // The plain engine diffuses nothing: equal pixels get equal indices.
  EXPECT_EQ(RunEngine(Plain, noisy, cube, false), ReferenceDither(Plain, noisy, cube));
}

TEST(DitherEngines, FloydSteinbergByHand) {
  // Row 0, left to right: 100 -> black (e 100); 150 + (700 + 8) / 16 = 194 ->
  // white (e -61); 60 + (-427 + 8) / 16 = 34 -> black (e 34).
  // Row 1, right to left: 30 + (-61 + 5 * 34 + 8) / 16 = 37 -> black (e 37);
  // 90 + (100 - 5 * 61 + 3 * 34 + 7 * 37 + 8) / 16 = 100 -> black (e 100);
  // 200 + (5 * 100 - 3 * 61 + 7 * 100 + 8) / 16 = 264, clamped -> white.
  const int grey[2][3] = {{100, 150, 60}, {200, 90, 30}};
  const TImage image = MakeImage(3, 2, [&](int x, int y) { return std::array{grey[y][x], grey[y][x], grey[y][x]}; });
  TMonochromeLookup mono;
  EXPECT_EQ(RunEngine(Diffusing[0], image, mono, false), (std::vector<std::uint8_t>{0, 1, 0, 1, 0, 0}));
}

TEST(DitherEngines, SerpentineWalkAndMisuse) {
  TNetscapeColorLookup cube;
  std::vector<TEngineKind> kinds(std::begin(Diffusing), std::end(Diffusing));
  kinds.push_back(Plain);
  for (const TEngineKind& kind : kinds) {
    auto engine = kind.Make(3, cube);
    std::vector<int> columns;
    for (int row = 0; row < 2; ++row, engine->EndRow())
      while (engine->InRow()) {
        columns.push_back(engine->Column() * engine->Direction());
        engine->QuantizePixel(200, 100, 0);
      }
    EXPECT_EQ(columns, (std::vector<int>{0, 1, 2, -2, -1, 0})) << kind.Name;
    // Past the row's end a pixel is matched as it is, and nothing breaks.
    for (int i = 0; i < 3; ++i) engine->QuantizePixel(0, 0, 0);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(engine->QuantizePixel(250, 0, 0).Index, 4 * 36) << kind.Name;
    engine->EndRow();
    EXPECT_EQ(engine->Column(), 2);
    auto empty = kind.Make(0, cube);
    empty->EndRow();
    EXPECT_FALSE(empty->InRow());
    EXPECT_THROW(kind.Make(-1, cube), std::invalid_argument);
  }
}
