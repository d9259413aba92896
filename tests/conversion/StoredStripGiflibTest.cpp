// The strip with the frames as stored against giflib: each band is white
// exactly where giflib's colour of the frame's pixel is pure white, the frame
// at the top-left of its band whatever its place on the screen, the rest of
// the band white.
#include <gtest/gtest.h>

#include "GifRenderHelpers.h"
#include "GifToStrip.h"
#include "GiflibOracle.h"

namespace {

TEST(StoredStripGiflib, BandsAreWhiteExactlyWhereGiflibsColoursArePureWhite) {
  const std::vector<std::uint32_t> nearWhites{0xFFFFFF, 0xFEFFFF, 0xFFFEFF, 0xFFFFFE, 0x000000, 0x808080, 0xF0F0F0, 0xFFFFFF};
  TOracleGif gif{40, 30, nearWhites, {}};
  gif.Frames.push_back({0, 0, 40, 30, false, {}, PhotoLikeIndices(40, 30, 8, 11)});
  gif.Frames.push_back({9, 7, 23, 13, true, {0x000000, 0xFFFFFF, 0xFFFFFE, 0xFFFFFF}, PhotoLikeIndices(23, 13, 4, 12)});
  gif.Frames.push_back({0, 0, 40, 30, true, {}, FlatIndices(40, 30, 8)});
  gif.Frames.push_back({39, 29, 1, 1, false, {}, {0}});
  gif.Frames.push_back({0, 0, 40, 30, false, {}, PhotoLikeIndices(40, 30, 8, 13)});
  const TBytes file = GiflibEncode(gif);

  const TOracleGif oracle = GiflibDecode(file);
  StripOptions asStored;
  asStored.AsStored = true;
  const std::unique_ptr<TBitmap> strip = GifToStrip(*LoadGif(file), asStored).Strip;
  ASSERT_EQ(strip->Width(), 40);
  ASSERT_EQ(strip->Height(), 120);
  EXPECT_TRUE(strip->Monochrome());
  for (int k = 0; k < 4; ++k) {
    const TOracleFrame& frame = oracle.Frames[static_cast<std::size_t>(k)];
    const std::vector<std::uint32_t>& table = frame.LocalColors.empty() ? oracle.GlobalColors : frame.LocalColors;
    int wrong = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inFrame = x < frame.Width && y < frame.Height;
        const bool white = !inFrame || table[frame.Indices[static_cast<std::size_t>(y * frame.Width + x)]] == 0xFFFFFF;
        if (strip->Image().GetPixel(x, k * 30 + y) != (white ? clWhite : clBlack)) ++wrong;
      }
    EXPECT_EQ(wrong, 0) << "band " << k;
  }
}

}  // namespace
