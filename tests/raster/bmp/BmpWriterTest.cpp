// WriteMonochromeBmp: the exact bytes of the 1-bit file (a literal file, and
// golden files of the strip and logo sizes written from every source depth),
// the white-only rule, empty pictures, failing streams and round trips.
//
// Golden files live in tests/data/bmp; the target regenerate-bmp-golden
// rewrites them (KORVANE_REGENERATE_GOLDEN=1) for a reviewed diff.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "BmpReader.h"
#include "BmpWriter.h"
#include "DibPixels.h"
#include "Exception.h"
#include "ImageOracle.h"
#include "MemoryStream.h"
#include "TestFiles.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Write(const TPixelImage& image) {
  TMemoryStream stream;
  WriteMonochromeBmp(image, stream);
  return stream.TakeBytes();
}

std::uint32_t DWordAt(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

TEST(BmpWriter, LiteralFileRowsBottomUpWhiteOnlyBecomesOne) {
  // 10 x 3 from a 24-bit picture. Top row: white, then near-white and light
  // grey (both black); middle row all white; bottom row: only the last pixel.
  TPixelImage image(10, 3, 24);
  image.SetPixel(0, 0, clWhite);
  image.SetPixel(1, 0, RGB(255, 255, 254));
  image.SetPixel(2, 0, clSilver);
  for (int x = 0; x < 10; ++x) image.SetPixel(x, 1, clWhite);
  image.SetPixel(9, 2, clWhite);
  const Bytes expected = {
      'B', 'M', 74, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,       // file header: size 74, pixels at 62
      40, 0, 0, 0, 10, 0, 0, 0, 3, 0, 0, 0, 1, 0, 1, 0,     // 40-byte header, 10 x 3, 1 plane, 1 bit
      0, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,      // uncompressed, 12 bytes of pixels, no resolution
      2, 0, 0, 0, 0, 0, 0, 0,                               // 2 colours used, 0 important
      0, 0, 0, 0, 255, 255, 255, 0,                         // black, white
      0x00, 0x40, 0, 0,                                     // bottom row: pixel 9
      0xFF, 0xC0, 0, 0,                                     // middle row: all ten
      0x80, 0x00, 0, 0};                                    // top row: pixel 0
  EXPECT_EQ(Write(image), expected);
}

// The golden pattern: white where this holds, black elsewhere.
bool PatternWhite(int x, int y) { return (x * x + 3 * y + (x ^ y)) % 7 < 3; }

TPixelImage PatternImage(int width, int height, int bitCount, std::vector<TPaletteEntry> table = {},
                  std::optional<TBitFields> fields = std::nullopt) {
  TPixelImage image(width, height, bitCount, std::move(table), fields);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixel(x, y, PatternWhite(x, y) ? clWhite : clBlack);
  return image;
}

// Every depth the writer may be handed, drawn with the same pattern.
std::vector<std::pair<std::string, TPixelImage>> PatternSources(int width, int height) {
  const TPaletteEntry black{0, 0, 0, 0}, white{255, 255, 255, 0}, red{255, 0, 0, 0}, grey{192, 192, 192, 0};
  return {
      {"1 bit black-white", PatternImage(width, height, 1, {black, white})},
      {"1 bit white-black", PatternImage(width, height, 1, {white, black})},
      {"4 bits", PatternImage(width, height, 4, {red, grey, black, white})},
      {"8 bits", PatternImage(width, height, 8, {grey, red, white, black})},
      {"16 bits 5-6-5", PatternImage(width, height, 16, {}, TBitFields{0xF800, 0x07E0, 0x001F})},
      {"24 bits", PatternImage(width, height, 24)},
      {"32 bits", PatternImage(width, height, 32)},
  };
}

struct TGoldenSize {
  int Width;
  int Height;
  std::size_t FileSize;
  std::uint32_t RowBytes;
};

const TGoldenSize GoldenSizes[] = {
    {16, 64, 318, 4},  {72, 128, 1598, 12}, {101, 64, 1086, 16}, {101, 46, 798, 16},
    {1, 5, 82, 4},     {32, 5, 82, 4},      {33, 5, 102, 8},
};

std::string GoldenFile(const TGoldenSize& size) {
  return std::string(KORVANE_TEST_DATA_DIR) + "/bmp/mono-" + std::to_string(size.Width) + "x" +
         std::to_string(size.Height) + ".bmp";
}

TEST(BmpWriterGolden, EverySourceDepthGivesTheGoldenBytes) {
  const bool regenerate = std::getenv("KORVANE_REGENERATE_GOLDEN") != nullptr;
  for (const TGoldenSize& size : GoldenSizes) {
    const auto sources = PatternSources(size.Width, size.Height);
    const Bytes written = Write(sources.front().second);
    if (regenerate) {
      std::filesystem::create_directories(std::filesystem::path(GoldenFile(size)).parent_path());
      WriteWholeFile(GoldenFile(size), written);
    }
    const Bytes golden = ReadWholeFile(GoldenFile(size));
    ASSERT_EQ(golden.size(), size.FileSize) << GoldenFile(size);
    EXPECT_EQ(DWordAt(golden, 2), size.FileSize);
    EXPECT_EQ(DWordAt(golden, 18), static_cast<std::uint32_t>(size.Width));
    EXPECT_EQ(DWordAt(golden, 22), static_cast<std::uint32_t>(size.Height));
    EXPECT_EQ(DWordAt(golden, 34), size.RowBytes * static_cast<std::uint32_t>(size.Height));
    for (const auto& [name, image] : sources)
      EXPECT_EQ(Write(image), golden) << name << ", " << size.Width << " x " << size.Height;
  }
}

TEST(BmpWriterGolden, GoldenFilesShowThePatternToAnotherReader) {
  if (!OracleAvailable()) GTEST_SKIP() << OracleMissingReason();
  TTempDir scratch;
  for (const TGoldenSize& size : GoldenSizes) {
    const std::optional<TRgbImage> decoded = DecodeWithOracle(GoldenFile(size), scratch);
    ASSERT_TRUE(decoded) << GoldenFile(size);
    TRgbImage expected{size.Width, size.Height, {}};
    for (int y = 0; y < size.Height; ++y)
      for (int x = 0; x < size.Width; ++x) expected.Pixels.push_back(PatternWhite(x, y) ? clWhite : clBlack);
    EXPECT_EQ(*decoded, expected) << GoldenFile(size);
  }
}

TEST(BmpWriter, StripRowsRunFromTheBottomOfFrameThreeToTheTopOfFrameZero) {
  // 16 x 64 strip: only the top row of frame 0 and the bottom row of frame 3 are white.
  TPixelImage strip(16, 64, 1, {{0, 0, 0, 0}, {255, 255, 255, 0}});
  for (int x = 0; x < 16; ++x) {
    strip.SetPixel(x, 0, clWhite);
    if (x < 4) strip.SetPixel(x, 63, clWhite);
  }
  const Bytes file = Write(strip);
  ASSERT_EQ(file.size(), 318u);
  EXPECT_EQ(Bytes(file.begin() + 62, file.begin() + 66), (Bytes{0xF0, 0x00, 0, 0}));
  EXPECT_EQ(Bytes(file.end() - 4, file.end()), (Bytes{0xFF, 0xFF, 0, 0}));
  EXPECT_EQ(std::count(file.begin() + 66, file.end() - 4, 0), 62 * 4);
}

TEST(BmpWriter, OneBitSourcesMapEachTableEntryAndClearTheBitsPastTheWidth) {
  const TPaletteEntry black{0, 0, 0, 0}, white{255, 255, 255, 0}, red{255, 0, 0, 0};
  // 9 x 1, source bits 1010 1010 1 with every padding bit set.
  const auto written = [&](std::vector<TPaletteEntry> table) {
    TPixelImage image(9, 1, 1, std::move(table));
    const Bytes row = {0xAA, 0xFF, 0xFF, 0xFF};
    std::copy(row.begin(), row.end(), image.ScanLine(0));
    const Bytes file = Write(image);
    return Bytes(file.begin() + 62, file.end());
  };
  EXPECT_EQ(written({black, white}), (Bytes{0xAA, 0x80, 0, 0}));
  EXPECT_EQ(written({white, black}), (Bytes{0x55, 0x00, 0, 0}));
  EXPECT_EQ(written({white, white}), (Bytes{0xFF, 0x80, 0, 0}));
  EXPECT_EQ(written({red, black}), (Bytes{0x00, 0x00, 0, 0}));
  // Index 1 is past a one-entry table: black.
  EXPECT_EQ(written({white}), (Bytes{0x55, 0x00, 0, 0}));
}

// Rows and columns marked as known zero are not read (here the mark hides
// pixel 5 and the second row): they take the colour of index 0.
TEST(BmpWriter, KnownZeroColumnsTakeTheColourOfIndexZero) {
  struct TCase {
    int BitCount;
    TColor Zero;
    std::uint8_t Row;  // the one byte of the 8 x 2 picture's top row
  };
  const TCase cases[] = {{8, clBlack, 0x40}, {8, clWhite, 0xBF}, {1, clBlack, 0x40}, {1, clWhite, 0xBF}};
  for (const TCase& c : cases) {
    const TColor other = c.Zero == clWhite ? clBlack : clWhite;
    TPixelImage image(8, 2, c.BitCount, {TPaletteEntry{GetRValue(c.Zero), GetGValue(c.Zero), GetBValue(c.Zero), 0},
                                         TPaletteEntry{GetRValue(other), GetGValue(other), GetBValue(other), 0}});
    for (const auto& [x, y] : {std::pair{1, 0}, {5, 0}, {3, 1}}) image.SetRaw(x, y, 1);
    image.MarkZeroColumnsFrom(2);
    image.MarkZeroRows(1, 2);
    const Bytes file = Write(image);
    ASSERT_EQ(file.size(), 70u);
    const std::uint8_t zeroByte = c.Zero == clWhite ? 0xFF : 0x00;
    EXPECT_EQ((Bytes{file[62], file[66]}), (Bytes{zeroByte, c.Row}))
        << c.BitCount << "-bit, index 0 " << (c.Zero == clWhite ? "white" : "black");
  }
}

TEST(BmpWriter, EmptyPicturesWriteNothing) {
  for (const auto& [w, h] : {std::pair{0, 0}, std::pair{5, 0}, std::pair{0, 5}}) {
    TMemoryStream stream;
    WriteMonochromeBmp(TPixelImage(w, h, 1), stream);
    EXPECT_EQ(stream.Size(), 0) << w << " x " << h;
  }
}

// A stream that takes a fixed number of bytes and then no more.
class TShortStream : public TMemoryStream {
public:
  explicit TShortStream(std::int64_t room) : FRoom(room) {}
  std::int64_t Write(const void* buffer, std::int64_t count) override {
    const std::int64_t n = std::min(count, FRoom);
    FRoom -= n;
    return TMemoryStream::Write(buffer, n);
  }

private:
  std::int64_t FRoom;
};

TEST(BmpWriter, AShortWriteFailsWithTheStreamMessage) {
  for (const std::int64_t room : {0, 61, 70}) {
    TShortStream stream(room);
    try {
      WriteMonochromeBmp(PatternImage(16, 4, 24), stream);
      ADD_FAILURE() << "no error with room for " << room << " bytes";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), "Stream write error");
    }
  }
}

TEST(BmpWriter, WrittenFilesReadBackWithTheSamePixels) {
  for (const auto& [w, h] : {std::pair{1, 1}, std::pair{7, 3}, std::pair{33, 9}, std::pair{101, 64}}) {
    for (const auto& [name, source] : PatternSources(w, h)) {
      TMemoryStream stream(Write(source));
      const TBmpImage back = ReadBmp(stream);
      EXPECT_EQ(back.Image.Width(), w);
      EXPECT_EQ(back.Image.Height(), h);
      EXPECT_EQ(back.Image.BitCount(), 1);
      EXPECT_EQ(PixelColors(back.Image), PixelColors(source)) << name << ", " << w << " x " << h;
    }
  }
}

}  // namespace
