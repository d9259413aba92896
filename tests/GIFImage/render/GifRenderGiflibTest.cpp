// Rendered frames against giflib: a file is read by our codec and rendered,
// and every pixel of each frame's bitmap must have the colour that giflib's
// decoding of the same bytes gives it (its index looked up in the frame's
// local table, or else the global one).
#include <gtest/gtest.h>

#include "GifRenderHelpers.h"
#include "GiflibOracle.h"

namespace {

void ExpectColoursOfGiflib(const TBytes& file, const std::string& label) {
  const TOracleGif oracle = GiflibDecode(file);
  auto image = LoadGif(file);
  ASSERT_EQ(image->Frames().Count(), static_cast<int>(oracle.Frames.size())) << label;
  for (int i = 0; i < image->Frames().Count(); ++i) {
    const TOracleFrame& expected = oracle.Frames[static_cast<std::size_t>(i)];
    const std::vector<std::uint32_t>& table = expected.LocalColors.empty() ? oracle.GlobalColors : expected.LocalColors;
    std::vector<TColor> colours;
    for (std::uint8_t index : expected.Indices) colours.push_back(ColorOf(table[index]));
    const TBitmap* bitmap = image->Frames()[i].Bitmap();
    ASSERT_NE(bitmap, nullptr) << label << " frame " << i;
    EXPECT_EQ(bitmap->Width(), expected.Width) << label << " frame " << i;
    EXPECT_EQ(bitmap->Height(), expected.Height) << label << " frame " << i;
    EXPECT_TRUE(BitmapColors(*bitmap) == colours) << label << " frame " << i << ": colours differ";
  }
}

TEST(GiflibRenderCrossCheck, FramesBuiltByteByByte) {
  // Local and global tables, a transparent frame (its pixels keep their
  // colour in the bitmap) and frames away from the screen's corner.
  TTestFrame photo{0, 0, 37, 23, PhotoLikeIndices(37, 23, 16, 3), SpreadColors(16)};
  TTestFrame global{5, 4, 19, 11, FlatIndices(19, 11, 8), {}, 2};
  TTestFrame tiny{36, 22, 1, 1, {1}, {0x123456, 0xABCDEF}};
  ExpectColoursOfGiflib(GifWith(37, 23, SpreadColors(8), {photo, global, tiny}), "built");
}

TEST(GiflibRenderCrossCheck, FilesWrittenByGiflibIncludingInterlaced) {
  TOracleGif gif{64, 48, SpreadColors(256), {}};
  gif.Frames.push_back({0, 0, 64, 48, false, {}, PhotoLikeIndices(64, 48, 256, 7)});
  gif.Frames.push_back({8, 6, 33, 17, true, SpreadColors(4), FlatIndices(33, 17, 4)});
  gif.Frames.push_back({1, 2, 63, 46, true, {}, PhotoLikeIndices(63, 46, 256, 9)});
  ExpectColoursOfGiflib(GiflibEncode(gif), "giflib");
}

}  // namespace
