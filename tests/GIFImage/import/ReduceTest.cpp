// Reduction of a bitmap to an 8-bit palette image by every method and dither
// kind, checked against the colour toolkit's own engines walked pixel by pixel.
#include <gtest/gtest.h>

#include "ColorQuantizer.h"
#include "FixedPalettes.h"
#include "GIFReduce.h"
#include "ImportTesting.h"
#include "SystemPalettes.h"

namespace {

TColor Gradient(int x, int y) {
  return RGB(static_cast<std::uint8_t>(x * 23 + y), static_cast<std::uint8_t>(255 - y * 19), static_cast<std::uint8_t>(x * y * 5));
}

// The indices an engine gives when it is walked pixel by pixel over the
// 24-bit picture, serpentine rows.
std::vector<int> WalkedIndices(TDitherEngine& engine, const TPixelImage& image) {
  std::vector<int> indices(static_cast<std::size_t>(image.Width() * image.Height()));
  for (int y = 0; y < image.Height(); ++y) {
    while (engine.InRow()) {
      const int x = engine.Column();
      const TColor c = image.GetPixel(x, y);
      indices[static_cast<std::size_t>(y * image.Width() + x)] =
          engine.QuantizePixel(GetRValue(c), GetGValue(c), GetBValue(c)).Index;
    }
    engine.EndRow();
  }
  return indices;
}

std::vector<int> ResultIndices(const TBitmap& result) {
  std::vector<int> indices;
  for (int y = 0; y < result.Height(); ++y)
    for (int x = 0; x < result.Width(); ++x) indices.push_back(result.ScanLine(y)[x]);
  return indices;
}

TEST(ReduceToIndexed, EveryMethodAndDitherKindMatchesItsEngine) {
  const TPalette custom({{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {255, 255, 255, 0}});
  for (std::uint8_t method = 1; method <= 9; ++method)
    for (std::uint8_t dither = 0; dither <= MaxDitherKind; ++dither) {
      SCOPED_TRACE("method " + std::to_string(method) + " dither " + std::to_string(dither));
      TBitmap source = MakeBitmap(11, 7, 24, Gradient);
      std::unique_ptr<TBitmap> result = ReduceToIndexed(source, method, dither, 3, &custom);
      ASSERT_EQ(result->PixelFormat(), TPixelFormat::pf8bit);
      ASSERT_EQ(result->Palette().Count(), 256);

      std::optional<TPalette> palette = FixedPalette(method);
      if (method == rmQuantize) palette = BuildOctreePalette(source.Image(), 8, 8, false);
      if (method == rmQuantizeWindows) palette = BuildOctreePalette(source.Image(), 256, 8, true);
      if (method == rmPalette) palette = custom;
      ASSERT_TRUE(palette.has_value());
      const TPalette table = result->Palette();
      for (int i = 0; i < 256; ++i) {
        const TPaletteEntry expected = i < palette->Count() ? palette->Entry(i) : TPaletteEntry{};
        const TPaletteEntry& got = table.Entry(i);
        ASSERT_EQ(RGB(got.peRed, got.peGreen, got.peBlue), RGB(expected.peRed, expected.peGreen, expected.peBlue)) << i;
      }

      std::unique_ptr<TColorLookup> lookup;
      if (method == 4) lookup = std::make_unique<TMonochromeLookup>();
      else if (method == 5) lookup = std::make_unique<TGrayScaleLookup>();
      else if (method == 6) lookup = std::make_unique<TNetscapeColorLookup>();
      else lookup = std::make_unique<TFastColorLookup>(*palette);
      std::unique_ptr<TDitherEngine> engine = MakeDitherEngine(dither, 11, *lookup);
      EXPECT_EQ(ResultIndices(*result), WalkedIndices(*engine, source.Image()));
    }
}

TEST(ReduceToIndexed, MethodZeroCopiesAt24BitsAndLeavesTheSourceAlone) {
  TBitmap source = MakeBitmap(5, 3, 32, Gradient);
  const std::unique_ptr<TBitmap> result = ReduceToIndexed(source, rmNone, 0, 8, nullptr);
  EXPECT_EQ(result->PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(result->Image().GetPixel(4, 2), Gradient(4, 2));
  EXPECT_EQ(source.PixelFormat(), TPixelFormat::pf32bit);
}

TEST(ReduceToIndexed, OctreeDepthSetsTheColourCount) {
  for (int depth : {0, 1, 4, 8}) {
    SCOPED_TRACE(depth);
    TGIFImage image;
    image.SetReductionMethod(rmQuantize);
    image.SetReductionDepth(depth);
    TBitmap bitmap = MakeBitmap(16, 16, 24, Gradient);
    image.AppendFrame(bitmap);
    TGIFSubImage& frame = image.Frames()[0];
    int highest = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) highest = std::max<int>(highest, frame.PixelIndex(x, y));
    EXPECT_LT(highest, 1 << depth);
    EXPECT_EQ(frame.LocalMap().Count(), 256);
  }
}

}  // namespace
