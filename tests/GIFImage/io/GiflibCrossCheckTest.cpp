// Our reader against giflib on the same bytes: files giflib wrote and files
// our test encoder wrote (tiny sub-blocks, frozen tables) must give the same
// frames and the same indices in both.
#include <gtest/gtest.h>

#include "GifReadHelpers.h"
#include "GiflibOracle.h"

namespace {

std::vector<std::uint32_t> EntriesOf(const TGIFColorMap& map) {
  std::vector<std::uint32_t> colors;
  for (const TGIFColor& c : map.Entries())
    colors.push_back((std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue);
  return colors;
}

void ExpectSameAsGiflib(const TBytes& file, const std::string& label) {
  const TOracleGif oracle = GiflibDecode(file);
  const TReadOutcome ours = ReadGif(file, false, 0, false);
  ASSERT_EQ(ours.Error, "") << label;
  EXPECT_TRUE(ours.Warnings.empty()) << label;
  const TGIFImage& image = *ours.Image;
  EXPECT_EQ(image.Width(), oracle.Width) << label;
  EXPECT_EQ(image.Height(), oracle.Height) << label;
  EXPECT_EQ(EntriesOf(image.GlobalColorMap()), oracle.GlobalColors) << label;
  ASSERT_EQ(image.Frames().Count(), static_cast<int>(oracle.Frames.size())) << label;
  for (int i = 0; i < image.Frames().Count(); ++i) {
    const TGIFSubImage& frame = image.Frames()[i];
    const TOracleFrame& expected = oracle.Frames[static_cast<std::size_t>(i)];
    EXPECT_EQ(frame.Left(), expected.Left) << label << " frame " << i;
    EXPECT_EQ(frame.Top(), expected.Top) << label << " frame " << i;
    EXPECT_EQ(frame.Width(), expected.Width) << label << " frame " << i;
    EXPECT_EQ(frame.Height(), expected.Height) << label << " frame " << i;
    EXPECT_EQ(frame.Interlaced(), expected.Interlaced) << label << " frame " << i;
    EXPECT_EQ(EntriesOf(frame.LocalMap()), expected.LocalColors) << label << " frame " << i;
    ASSERT_EQ(frame.PixelCount(), static_cast<std::int64_t>(expected.Indices.size())) << label << " frame " << i;
    EXPECT_TRUE(std::equal(expected.Indices.begin(), expected.Indices.end(), frame.Pixels()))
        << label << " frame " << i << ": indices differ";
  }
}

TEST(GiflibCrossCheck, FilesWrittenByGiflib) {
  const std::vector<std::pair<int, int>> sizes = {{1, 1}, {7, 3}, {64, 64}, {301, 199}, {640, 480}};
  unsigned seed = 1;
  for (const auto& [width, height] : sizes) {
    for (int bits : {1, 2, 4, 8}) {
      for (bool interlaced : {false, true}) {
        for (bool photo : {false, true}) {
          TOracleGif gif{width, height, SpreadColors(1 << bits), {}};
          TOracleFrame frame{0, 0, width, height, interlaced, {}, {}};
          frame.Indices = photo ? PhotoLikeIndices(width, height, 1 << bits, seed++) : FlatIndices(width, height, 1 << bits);
          gif.Frames.push_back(frame);
          ExpectSameAsGiflib(GiflibEncode(gif), std::to_string(width) + "x" + std::to_string(height) + " bits " +
                                                    std::to_string(bits) + (interlaced ? " interlaced" : "") +
                                                    (photo ? " photo" : " flat"));
        }
      }
    }
  }
}

TEST(GiflibCrossCheck, AnimationsWithLocalTablesAndOffsets) {
  TOracleGif gif{120, 90, SpreadColors(16), {}};
  for (int i = 0; i < 12; ++i) {
    TOracleFrame frame{i * 3, i * 2, 120 - i * 7, 90 - i * 5, i % 3 == 1, {}, {}};
    const int colors = i % 2 == 0 ? 16 : 1 << (1 + i % 8);
    if (i % 2 == 1) frame.LocalColors = SpreadColors(colors);
    frame.Indices = PhotoLikeIndices(frame.Width, frame.Height, colors, static_cast<unsigned>(100 + i));
    gif.Frames.push_back(frame);
  }
  ExpectSameAsGiflib(GiflibEncode(gif), "animation");
}

TEST(GiflibCrossCheck, FilesOfOurEncoderWithTinySubBlocksAndFrozenTables) {
  const TBytes photo = PhotoLikeIndices(200, 150, 256, 42);
  for (std::size_t blockSize : {1, 2, 5, 255}) {
    for (bool clearWhenFull : {true, false}) {
      const TBytes file = TGifBuilder()
                              .Header(200, 150, 0x87)
                              .ColorTable(SpreadColors(256))
                              .Descriptor(0, 0, 200, 150)
                              .ImageData(8, LzwEncode(photo, 8, clearWhenFull), blockSize)
                              .Trailer()
                              .Bytes();
      ExpectSameAsGiflib(file, "sub-blocks of " + std::to_string(blockSize) + (clearWhenFull ? "" : ", frozen table"));
    }
  }
}

}  // namespace
