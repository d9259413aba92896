// ReadBmp over files built byte by byte: every header kind, depth, row order
// and run-length code, the tolerated damage (short pixel data) and the refused
// files with their messages. Every case is read twice, over a memory stream and
// over one that gives a byte per read, and both reads must agree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "BmpBuilder.h"
#include "BmpReader.h"
#include "DibPixels.h"
#include "Exception.h"
#include "ImageOracle.h"
#include "MemoryStream.h"
#include "OneByteStream.h"
#include "PixelMemory.h"
#include "TestFiles.h"

namespace {

constexpr TColor K = clBlack, W = clWhite, R = clRed, G = clLime, B = clBlue, Y = clYellow;
constexpr std::uint32_t BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

using Bytes = std::vector<std::uint8_t>;

// With KORVANE_BMP_SEED_DIR set, every file the tests read is kept there to
// seed the fuzzer.
void KeepAsSeed(const Bytes& bytes) {
  const char* dir = std::getenv("KORVANE_BMP_SEED_DIR");
  if (dir == nullptr) return;
  const std::string text(bytes.begin(), bytes.end());
  char name[32];
  std::snprintf(name, sizeof name, "%016zx.bmp", std::hash<std::string>{}(text));
  std::ofstream((std::filesystem::path(dir) / name).string(), std::ios::binary) << text;
}

void ExpectSameImage(const TBmpImage& a, const TBmpImage& b) {
  EXPECT_EQ(a.DeviceDependent, b.DeviceDependent);
  EXPECT_EQ(a.Image.Width(), b.Image.Width());
  EXPECT_EQ(a.Image.Height(), b.Image.Height());
  EXPECT_EQ(a.Image.BitCount(), b.Image.BitCount());
  EXPECT_EQ(a.Image.ColorTable(), b.Image.ColorTable());
  EXPECT_EQ(a.Image.BitFields(), b.Image.BitFields());
  EXPECT_EQ(a.Image.Bits(), b.Image.Bits());
}

TBmpImage Read(const Bytes& bytes) {
  KeepAsSeed(bytes);
  TMemoryStream whole(bytes);
  TBmpImage image = ReadBmp(whole);
  TOneByteAtATimeStream trickle(bytes);
  ExpectSameImage(ReadBmp(trickle), image);
  return image;
}

std::string MessageOf(TStream& stream) {
  try {
    ReadBmp(stream);
  } catch (const Exception& error) {
    return error.Message();
  }
  return "(read without error)";
}

std::string ReadError(const Bytes& bytes) {
  KeepAsSeed(bytes);
  TMemoryStream whole(bytes);
  TOneByteAtATimeStream trickle(bytes);
  const std::string message = MessageOf(whole);
  EXPECT_EQ(MessageOf(trickle), message);
  return message;
}

using Colors = std::vector<TColor>;

// ---- indexed depths ----

TEST(BmpReaderIndexed, OneBitRowsAreStoredBottomUpWithTheFilesOwnColours) {
  // 3 x 2: bottom row W K W (101), top row K W K (010), rows padded to 4 bytes.
  const Bytes rows = {0xA0, 0, 0, 0, 0x40, 0, 0, 0};
  const TBmpImage blackWhite = Read(SimpleBmp(3, 2, 1, {K, W}, rows));
  EXPECT_FALSE(blackWhite.DeviceDependent);
  EXPECT_EQ(blackWhite.Image.BitCount(), 1);
  EXPECT_EQ(blackWhite.Image.PixelFormat(), TPixelFormat::pf1bit);
  EXPECT_EQ(PixelColors(blackWhite.Image), (Colors{K, W, K, W, K, W}));

  // A strip whose table lists white before black reads with the right colours.
  EXPECT_EQ(PixelColors(Read(SimpleBmp(3, 2, 1, {W, K}, rows)).Image), (Colors{W, K, W, K, W, K}));
  EXPECT_EQ(PixelColors(Read(SimpleBmp(3, 2, 1, {R, B}, rows)).Image), (Colors{R, B, R, B, R, B}));
}

TEST(BmpReaderIndexed, FourAndEightBitTablesOfAnyLengthUpToTheirDepth) {
  // 4 bits, three colours listed: indices 0 1 2 and 5, which is past the table (black).
  const TBmpImage four = Read(SimpleBmp(4, 1, 4, {Y, R, G}, {0x01, 0x25, 0, 0}));
  EXPECT_EQ(four.Image.PixelFormat(), TPixelFormat::pf4bit);
  EXPECT_EQ(four.Image.ColorTable().size(), 3u);
  EXPECT_EQ(PixelColors(four.Image), (Colors{Y, R, G, K}));

  // 8 bits with biClrUsed 0: all 256 entries are read before the pixels.
  TBmpBuilder eight;
  eight.FileHeader().InfoHeader({.Width = 3, .Height = 1, .BitCount = 8});
  for (int i = 0; i < 256; ++i) eight.Bytes({static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i), 0});
  const TBmpImage image = Read(eight.Pixels({0, 255, 17, 0}).Build());
  EXPECT_EQ(image.Image.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(PixelColors(image.Image), (Colors{RGB(255, 0, 0), RGB(0, 0, 255), RGB(238, 0, 17)}));
}

// ---- direct colour ----

TEST(BmpReaderDirect, TwentyFourBitRowsBottomUpAndTopDown) {
  // 2 x 2, rows of 6 bytes padded to 8; pixels are blue, green, red.
  const Bytes bottomRow = {0, 0, 255, 0, 255, 0, 0, 0};          // R G
  const Bytes topRow = {255, 0, 0, 255, 255, 255, 0, 0};         // B W
  Bytes bottomUp = bottomRow;
  bottomUp.insert(bottomUp.end(), topRow.begin(), topRow.end());
  const TBmpImage up = Read(SimpleBmp(2, 2, 24, {}, bottomUp));
  EXPECT_EQ(up.Image.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(PixelColors(up.Image), (Colors{B, W, R, G}));

  Bytes topDown = topRow;
  topDown.insert(topDown.end(), bottomRow.begin(), bottomRow.end());
  EXPECT_EQ(PixelColors(Read(SimpleBmp(2, -2, 24, {}, topDown)).Image), (Colors{B, W, R, G}));
}

TEST(BmpReaderDirect, SixteenAndThirtyTwoBitsWithAndWithoutMasks) {
  // 16 bits without masks: 5-5-5.
  const TBmpImage fifteen = Read(SimpleBmp(4, 1, 16, {}, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0x7F}));
  EXPECT_EQ(fifteen.Image.PixelFormat(), TPixelFormat::pf15bit);
  EXPECT_EQ(PixelColors(fifteen.Image), (Colors{R, G, B, W}));

  // 16 bits, 5-6-5 masks after a 40-byte header.
  const TBmpImage sixteen = Read(TBmpBuilder()
                                     .FileHeader()
                                     .InfoHeader({.Width = 2, .Height = 1, .BitCount = 16, .Compression = BI_BITFIELDS})
                                     .Masks(0xF800, 0x07E0, 0x001F)
                                     .Pixels({0x00, 0xF8, 0xE0, 0x07})
                                     .Build());
  EXPECT_EQ(sixteen.Image.PixelFormat(), TPixelFormat::pf16bit);
  EXPECT_EQ(PixelColors(sixteen.Image), (Colors{R, G}));

  // 32 bits without masks (blue, green, red, unused) and with a custom layout.
  const TBmpImage thirtyTwo = Read(SimpleBmp(2, 1, 32, {}, {0, 0, 255, 0x55, 255, 0, 0, 0}));
  EXPECT_EQ(thirtyTwo.Image.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(PixelColors(thirtyTwo.Image), (Colors{R, B}));
  const TBmpImage custom = Read(TBmpBuilder()
                                    .FileHeader()
                                    .InfoHeader({.Width = 2, .Height = 1, .BitCount = 32, .Compression = BI_BITFIELDS})
                                    .Masks(0xFF000000, 0x00FF0000, 0x0000FF00)
                                    .Pixels({0, 0, 0, 255, 0, 0, 0xFF, 0})
                                    .Build());
  EXPECT_EQ(custom.Image.PixelFormat(), TPixelFormat::pfCustom);
  EXPECT_EQ(PixelColors(custom.Image), (Colors{R, G}));
}

// ---- header kinds ----

TEST(BmpReaderHeaders, LargerWindowsHeadersAreReadWholeAndCarryTheirMasks) {
  // V4 (108 bytes): the masks are inside the header and the pixels follow it directly.
  const TBmpImage v4 = Read(TBmpBuilder()
                                .FileHeader()
                                .InfoHeader({.Size = 108, .Width = 2, .Height = 1, .BitCount = 16,
                                             .Compression = BI_BITFIELDS, .RedMask = 0xF800, .GreenMask = 0x07E0,
                                             .BlueMask = 0x001F})
                                .Pixels({0x1F, 0x00, 0xE0, 0x07})
                                .Build());
  EXPECT_EQ(v4.Image.BitFields(), (TBitFields{0xF800, 0x07E0, 0x001F}));
  EXPECT_EQ(PixelColors(v4.Image), (Colors{B, G}));

  // V5 (124 bytes), 1 bit: the colour table follows the whole header.
  const TBmpImage v5 = Read(TBmpBuilder()
                                .FileHeader()
                                .InfoHeader({.Size = 124, .Width = 2, .Height = 1, .BitCount = 1})
                                .Colors({G, R})
                                .Pixels({0x40, 0, 0, 0})
                                .Build());
  EXPECT_EQ(PixelColors(v5.Image), (Colors{G, R}));
}

TEST(BmpReaderHeaders, Os2TableLengthFollowsFromThePixelOffset) {
  // As the BMP Suite's pal8os2sp.bmp: 8 bits, a table of 252 entries (the
  // 12-byte header has no count), the pixel rows right after it. Each of the
  // 16 x 16 pixels has its own index (modulo 252) and each entry its colour.
  const auto colorOf = [](int i) {
    return RGB(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 3));
  };
  TBmpBuilder builder;
  builder.FileHeader().Os2Header(16, 16, 8);
  for (int i = 0; i < 252; ++i) {
    const TColor c = colorOf(i);
    builder.Bytes({GetBValue(c), GetGValue(c), GetRValue(c)});
  }
  Bytes rows;
  Colors expected(256);
  for (int y = 0; y < 16; ++y)  // bottom-up: the file's first row is the picture's last
    for (int x = 0; x < 16; ++x) {
      const int index = ((15 - y) * 16 + x) % 252;
      rows.push_back(static_cast<std::uint8_t>(index));
      expected[static_cast<std::size_t>((15 - y) * 16 + x)] = colorOf(index);
    }
  const Bytes file = builder.Pixels(rows).Build();
  ASSERT_EQ(file[10] | (file[11] << 8), 14 + 12 + 252 * 3);  // the pixel offset
  const TBmpImage image = Read(file);
  EXPECT_EQ(image.Image.ColorTable().size(), 252u);
  EXPECT_EQ(PixelColors(image.Image), expected);

  // A table cut shorter than the depth allows; an offset past a full table takes at most 2^bits entries.
  const TBmpImage shortTable = Read(TBmpBuilder().FileHeader().Os2Header(2, 1, 4).Os2Colors({R, G, B}).Pixels({0x21, 0, 0, 0}).Build());
  EXPECT_EQ(PixelColors(shortTable.Image), (Colors{B, G}));
  const TBmpImage gap = Read(TBmpBuilder()
                                 .FileHeader(14 + 12 + 3 * 2 + 9)
                                 .Os2Header(2, 1, 1)
                                 .Os2Colors({W, R})
                                 .Bytes({9, 9, 9, 9, 9, 9, 9, 9, 9})
                                 .Pixels({0x40, 0, 0, 0})
                                 .Build());
  EXPECT_EQ(gap.Image.ColorTable().size(), 2u);
  EXPECT_EQ(PixelColors(gap.Image), (Colors{W, R}));
}

TEST(BmpReaderHeaders, Os2HeadersUseThreeByteColourEntries) {
  const TBmpImage os2 = Read(TBmpBuilder().FileHeader().Os2Header(3, 1, 1).Os2Colors({W, R}).Pixels({0x60, 0, 0, 0}).Build());
  EXPECT_EQ(PixelColors(os2.Image), (Colors{W, R, R}));

  const TBmpImage deep = Read(TBmpBuilder().FileHeader().Os2Header(1, 1, 24).Pixels({0, 255, 255, 0}).Build());
  EXPECT_EQ(PixelColors(deep.Image), (Colors{Y}));

  // The short OS/2 2.x header names only size, depth and planes; the rest is 0.
  const TBmpImage short16 = Read(TBmpBuilder()
                                     .FileHeader()
                                     .InfoHeader({.Size = 16, .Width = 2, .Height = 1, .BitCount = 1})
                                     .Colors({B, Y})
                                     .Pixels({0x80, 0, 0, 0})
                                     .Build());
  EXPECT_EQ(PixelColors(short16.Image), (Colors{Y, B}));
}

TEST(BmpReaderHeaders, ColourTablesOfDeepImagesArePassedOver) {
  const TBmpImage image = Read(TBmpBuilder()
                                   .FileHeader()
                                   .InfoHeader({.Width = 1, .Height = 1, .BitCount = 24, .ClrUsed = 2})
                                   .Colors({W, W})
                                   .Pixels({255, 0, 0, 0})
                                   .Build());
  EXPECT_EQ(PixelColors(image.Image), (Colors{B}));
  EXPECT_TRUE(image.Image.ColorTable().empty());
}

// ---- where the pixels are and how many ----

TEST(BmpReaderLayout, PixelsStartAtTheFilesOffsetWhenItLiesPastTheTable) {
  const auto file = [](std::optional<std::uint32_t> offBits, const Bytes& pixels) {
    return TBmpBuilder()
        .FileHeader(offBits)
        .InfoHeader({.Width = 1, .Height = 1, .BitCount = 1, .ClrUsed = 2})
        .Colors({R, G})
        .Bytes(pixels)
        .Build();
  };
  // A gap of 4 bytes (set bits) between the table and the pixels.
  EXPECT_EQ(PixelColors(Read(file(66, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0, 0, 0})).Image), (Colors{R}));
  // An offset of 0, one inside the table or one past the file: the pixels follow the table.
  for (const std::uint32_t offBits : {0u, 58u, 1000u})
    EXPECT_EQ(PixelColors(Read(file(offBits, {0x80, 0, 0, 0})).Image), (Colors{G})) << offBits;

  // The offset counts from the file's first byte, wherever the stream starts.
  Bytes embedded = {'x', 'y', 'z'};
  const Bytes inner = file(66, {0, 0, 0, 0, 0x80, 0, 0, 0});
  embedded.insert(embedded.end(), inner.begin(), inner.end());
  TMemoryStream stream(embedded);
  stream.SetPosition(3);
  EXPECT_EQ(PixelColors(ReadBmp(stream).Image), (Colors{G}));
}

TEST(BmpReaderLayout, ImageSizeFieldLimitsThePixelBytesRead) {
  // 1 x 2, both rows index 1; biSizeImage says one row: the top row keeps colour 0.
  const auto file = [](std::uint32_t sizeImage) {
    return TBmpBuilder()
        .FileHeader()
        .InfoHeader({.Width = 1, .Height = 2, .BitCount = 1, .SizeImage = sizeImage})
        .Colors({R, B})
        .Pixels({0x80, 0, 0, 0, 0x80, 0, 0, 0})
        .Build();
  };
  EXPECT_EQ(PixelColors(Read(file(4)).Image), (Colors{R, B}));
  EXPECT_EQ(PixelColors(Read(file(0)).Image), (Colors{B, B}));
  EXPECT_EQ(PixelColors(Read(file(0xFFFFFFFF)).Image), (Colors{B, B}));
}

TEST(BmpReaderLayout, CutOffPixelRowsKeepTheFullSizeAndColourZero) {
  // 8 x 4, 1 bit, table red then white: the file ends one byte into the second row.
  const Bytes cut = SimpleBmp(8, 4, 1, {R, W}, {0xFF, 0, 0, 0, 0x0F});
  const TBmpImage up = Read(cut);
  ASSERT_EQ(up.Image.Width(), 8);
  ASSERT_EQ(up.Image.Height(), 4);
  const Colors red(8, R), white(8, W), half = {R, R, R, R, W, W, W, W};
  Colors expected = red;
  expected.insert(expected.end(), red.begin(), red.end());
  expected.insert(expected.end(), half.begin(), half.end());
  expected.insert(expected.end(), white.begin(), white.end());
  EXPECT_EQ(PixelColors(up.Image), expected);
  // Every byte the file does not supply, row padding included, is zero.
  EXPECT_EQ(Bytes(up.Image.Bits().begin(), up.Image.Bits().end()),
            (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0x0F, 0, 0, 0, 0xFF, 0, 0, 0}));

  // Top-down, the rows that are there are the top ones; a 24-bit pixel cut in two keeps its bytes.
  const TBmpImage down = Read(SimpleBmp(2, -2, 24, {}, {255, 0, 0, 0, 0, 255, 0, 0, 255}));
  EXPECT_EQ(PixelColors(down.Image), (Colors{B, R, B, K}));
}

// ---- run-length files ----

TEST(BmpReaderRunLength, Rle8CodesGiveADeviceImageWithUnreachedPixelsInColourZero) {
  // 4 x 3, colour 0 yellow. Bottom row: 2 x red, end of line. Middle row: an
  // absolute run of 3 (green, blue, red, one pad byte), 1 x blue, end of line.
  // Top row: delta 2 right, 1 x green, end of bitmap.
  const Bytes codes = {2, 1, 0, 0,                      //
                       0, 3, 2, 3, 1, 0, 1, 3, 0, 0,    //
                       0, 2, 2, 0, 1, 2, 0, 1};
  const TBmpImage image = Read(TBmpBuilder()
                                   .FileHeader()
                                   .InfoHeader({.Width = 4, .Height = 3, .BitCount = 8, .Compression = BI_RLE8,
                                                .SizeImage = static_cast<std::uint32_t>(codes.size()), .ClrUsed = 4})
                                   .Colors({Y, R, G, B})
                                   .Pixels(codes)
                                   .Build());
  EXPECT_TRUE(image.DeviceDependent);
  EXPECT_EQ(image.Image.BitCount(), 8);
  EXPECT_EQ(PixelColors(image.Image), (Colors{Y, Y, G, Y,  //
                                              G, B, R, B,  //
                                              R, R, Y, Y}));
}

TEST(BmpReaderRunLength, Rle4CodesSplitBytesIntoTwoPixels) {
  // 5 x 2. Bottom row: 5 pixels alternating 1 and 2. Top row: an absolute run
  // of 5 nibbles 3 2 1 0 3 in three bytes plus a pad byte; no end-of-bitmap code.
  const Bytes codes = {5, 0x12, 0, 0, 0, 5, 0x32, 0x10, 0x30, 0};
  const TBmpImage image = Read(TBmpBuilder()
                                   .FileHeader()
                                   .InfoHeader({.Width = 5, .Height = 2, .BitCount = 4, .Compression = BI_RLE4,
                                                .ClrUsed = 4})
                                   .Colors({Y, R, G, B})
                                   .Pixels(codes)
                                   .Build());
  EXPECT_TRUE(image.DeviceDependent);
  EXPECT_EQ(PixelColors(image.Image), (Colors{B, G, R, Y, B,  //
                                              R, G, R, G, R}));
}

TEST(BmpReaderRunLength, HostileCodesStayInsideTheImage) {
  const auto rle8 = [](int width, int height, const Bytes& codes) {
    return Read(TBmpBuilder()
                    .FileHeader()
                    .InfoHeader({.Width = width, .Height = height, .BitCount = 8, .Compression = BI_RLE8, .ClrUsed = 2})
                    .Colors({Y, R})
                    .Pixels(codes)
                    .Build());
  };
  // A run longer than its row is cut at the row's end and does not wrap.
  EXPECT_EQ(PixelColors(rle8(2, 2, {255, 1, 0, 1}).Image), (Colors{Y, Y, R, R}));
  // A delta past the top ends the picture; later codes draw nothing.
  EXPECT_EQ(PixelColors(rle8(2, 2, {0, 2, 255, 255, 2, 1}).Image), (Colors{Y, Y, Y, Y}));
  // A delta past the row's end leaves the rest of the row alone until the next line.
  EXPECT_EQ(PixelColors(rle8(2, 2, {0, 2, 200, 0, 1, 1, 0, 0, 1, 1}).Image), (Colors{R, Y, Y, Y}));
  // More end-of-line codes than rows, then a run: nothing past the top.
  EXPECT_EQ(PixelColors(rle8(1, 2, {1, 1, 0, 0, 0, 0, 0, 0, 1, 1}).Image), (Colors{Y, R}));
  // An absolute run cut off by the end of the data keeps the pixels that are there.
  EXPECT_EQ(PixelColors(rle8(3, 1, {0, 3, 1, 1}).Image), (Colors{R, R, Y}));
  // An index past the colour table is black; an odd trailing byte is ignored.
  EXPECT_EQ(PixelColors(rle8(2, 1, {1, 200, 1, 1, 7}).Image), (Colors{K, R}));
}

// The reader says which rows (from the top) and columns (from the right) no
// code reached, so that what follows need not read them.
TEST(BmpReaderRunLength, TheRowsAndColumnsNoCodeReachesAreMarkedZero) {
  struct TCase {
    Bytes Codes;
    int ZeroRowsEnd;
    int ZeroColumnsFrom;
  };
  const TCase cases[] = {
      {{2, 1, 0, 1}, 2, 2},                          // two pixels of the bottom row
      {{0, 2, 1, 1, 1, 1, 0, 1}, 1, 2},              // a delta up and right, one pixel of the middle row
      {{2, 1, 0, 0, 0, 0, 0, 0, 0, 1}, 2, 2},        // end-of-line codes alone reach nothing
      {{0, 1}, 3, 0},                                // nothing at all
      {{0, 0, 0, 0, 0, 3, 1, 0, 1, 0, 0, 1}, 0, 3},  // an absolute run in the top row
  };
  for (const TCase& c : cases) {
    const TBmpImage image = Read(TBmpBuilder()
                                     .FileHeader()
                                     .InfoHeader({.Width = 4, .Height = 3, .BitCount = 8, .Compression = BI_RLE8,
                                                  .ClrUsed = 2})
                                     .Colors({Y, R})
                                     .Pixels(c.Codes)
                                     .Build());
    EXPECT_EQ(image.Image.ZeroRowsFrom(), 0);
    EXPECT_EQ(image.Image.ZeroRowsEnd(), c.ZeroRowsEnd);
    EXPECT_EQ(image.Image.ZeroColumnsFrom(), c.ZeroColumnsFrom);
  }
}

TEST(BmpReaderRunLength, AFewBytesDescribingAPictureAtTheCapReadAsIndices) {
  // Found by fuzzing: 2^25 x 2 pixels (the cap) from a handful of codes. The
  // picture stays one byte per pixel; nothing is expanded to colours here.
  const TBmpImage image = Read(TBmpBuilder()
                                   .FileHeader()
                                   .InfoHeader({.Width = 1 << 25, .Height = 2, .BitCount = 8, .Compression = BI_RLE8,
                                                .ClrUsed = 2})
                                   .Colors({Y, R})
                                   .Pixels({0, 2, 0xFF, 0, 2, 1, 0, 1})
                                   .Build());
  ASSERT_EQ(image.Image.Width(), 1 << 25);
  ASSERT_EQ(image.Image.Height(), 2);
  EXPECT_EQ(image.Image.BitCount(), 8);
  EXPECT_EQ(image.Image.GetPixel(0, 1), Y);
  EXPECT_EQ(image.Image.GetPixel(255, 1), R);
  EXPECT_EQ(image.Image.GetPixel(256, 1), R);
  EXPECT_EQ(image.Image.GetPixel(257, 1), Y);
  EXPECT_EQ(image.Image.GetPixel((1 << 25) - 1, 0), Y);
}

TEST(BmpReaderRunLength, TheFuzzFindingOfAHugeRunLengthPictureReadsIntoOneBuffer) {
  // 70 bytes declaring an RLE8 picture of 2^25 x 2 (the cap), colour 0
  // yellow, a few runs of red. Its indices come zero from the system: the
  // pixels no run reaches are not filled by a loop (that took 64 MiB and over
  // 10 s under the sanitizers; bench/fuzz_findings_bench.py reports what
  // reading takes now). The one pixel buffer is the picture's.
  const Bytes file = ReadWholeFile(std::string(KORVANE_TEST_DATA_DIR) + "/bmp/fuzz-rle8-huge-slow.bmp");
  KeepAsSeed(file);
  const std::size_t before = PixelBytesHeld().Now;
  ResetPixelBytesPeak();
  TMemoryStream stream(file);
  const TBmpImage image = ReadBmp(stream);
  EXPECT_EQ(PixelBytesHeld().Peak - before, std::size_t{1} << 26);
  ASSERT_EQ(image.Image.Width(), 1 << 25);
  ASSERT_EQ(image.Image.Height(), 2);
  EXPECT_TRUE(image.DeviceDependent);
  EXPECT_EQ(image.Image.GetPixel(0, 1), Y);
  EXPECT_EQ(image.Image.GetPixel(255, 1), R);
  EXPECT_EQ(image.Image.GetPixel(256, 1), R);
  EXPECT_EQ(image.Image.GetPixel(257, 1), Y);
  EXPECT_EQ(image.Image.GetPixel((1 << 25) - 1, 0), Y);
}

// Headers found by fuzzing that declare big pictures and carry (almost) no
// pixels: the rows they leave out read as colour 0, and the reader says which
// rows it left out, so that what follows need not read them.
TEST(BmpReaderFuzzFindings, PicturesWithoutTheirRowsReadAsColourZero) {
  struct TCase {
    const char* File;
    int Width;
    int Height;
    int BitCount;
    int FirstRowLeftOut;
    int RowsLeftOut;
  };
  const TCase cases[] = {
      {"fuzz-32bpp-8192sq-nodata.bmp", 8192, 8192, 32, 0, 8192},
      {"fuzz-16bpp-2x16M-rows.bmp", 2, (1 << 24) + 1, 16, 0, (1 << 24) - 25},  // 103 bytes: 25 rows and a part
  };
  for (const TCase& c : cases) {
    const Bytes file = ReadWholeFile(std::string(KORVANE_TEST_DATA_DIR) + "/bmp/" + c.File);
    KeepAsSeed(file);
    TMemoryStream stream(file);
    const TBmpImage image = ReadBmp(stream);
    ASSERT_EQ(image.Image.Width(), c.Width) << c.File;
    ASSERT_EQ(image.Image.Height(), c.Height) << c.File;
    EXPECT_EQ(image.Image.BitCount(), c.BitCount) << c.File;
    EXPECT_FALSE(image.DeviceDependent) << c.File;
    EXPECT_EQ(image.Image.ZeroRowsFrom(), c.FirstRowLeftOut) << c.File;
    EXPECT_EQ(image.Image.ZeroRowsEnd() - image.Image.ZeroRowsFrom(), c.RowsLeftOut) << c.File;
    for (const auto& [x, y] : {std::pair{0, 0}, {c.Width - 1, c.RowsLeftOut - 1}})
      EXPECT_EQ(image.Image.GetPixel(x, y), K) << c.File << " at " << x << ", " << y;
  }
}

// ---- empty, foreign and broken files ----

TEST(BmpReaderFailures, EmptyShortAndForeignFiles) {
  const TBmpImage empty = Read({});
  EXPECT_EQ(empty.Image.Width(), 0);
  EXPECT_EQ(empty.Image.Height(), 0);
  EXPECT_FALSE(empty.DeviceDependent);

  EXPECT_EQ(ReadError({'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0}), "Stream read error");
  const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF,
                     '!', 0xF9, 4, 0, 0, 0, 0, 0, ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, ';'};
  EXPECT_EQ(ReadError(gif), "Bitmap image is not valid");
}

struct TCorruptFile {
  const char* What;
  Bytes File;
  const char* Message;
};

const char* const Invalid = "Bitmap image is not valid";
const char* const ReadErr = "Stream read error";
const char* const TooBig = "Out of system resources";

Bytes WithHeader(const TInfoHeaderFields& fields, const Bytes& rest = {}) {
  return TBmpBuilder().FileHeader().InfoHeader(fields).Bytes(rest).Build();
}

TEST(BmpReaderFailures, CorruptFilesEndInTheirMessages) {
  const Bytes blackWhite = {0, 0, 0, 0, 255, 255, 255, 0};
  const std::vector<TCorruptFile> cases = {
      {"file header only", TBmpBuilder().FileHeader().Build(), ReadErr},
      {"header size cut off", TBmpBuilder().FileHeader().Word(40).Build(), ReadErr},
      {"info header cut off", TBmpBuilder().FileHeader().DWord(40).DWord(1).DWord(1).Build(), ReadErr},
      {"OS/2 header cut off", TBmpBuilder().FileHeader().DWord(12).Word(1).Word(1).Build(), ReadErr},
      {"header size past the file", WithHeader({.Size = 0xFFFFFFF0, .Width = 1, .Height = 1}), ReadErr},
      {"header size 200 past the file", TBmpBuilder().FileHeader().DWord(200).DWord(1).DWord(1).Build(), ReadErr},
      {"header size too small", TBmpBuilder().FileHeader().DWord(8).DWord(1).DWord(1).Word(1).Word(1).Build(), Invalid},
      {"header size 0", WithHeader({.Size = 0, .Width = 1, .Height = 1}, blackWhite), Invalid},
      {"two planes", WithHeader({.Width = 1, .Height = 1, .Planes = 2}, blackWhite), Invalid},
      {"OS/2 with no planes", TBmpBuilder().FileHeader().Os2Header(1, 1, 24, 0).DWord(0).Build(), Invalid},
      {"2 bits per pixel", WithHeader({.Width = 1, .Height = 1, .BitCount = 2}, blackWhite), Invalid},
      {"0 bits per pixel (JPEG or PNG inside)", WithHeader({.Width = 1, .Height = 1, .BitCount = 0, .Compression = 4}), Invalid},
      {"64 bits per pixel", WithHeader({.Width = 1, .Height = 1, .BitCount = 64}), Invalid},
      {"unknown compression", WithHeader({.Width = 1, .Height = 1, .BitCount = 24, .Compression = 7}), Invalid},
      {"bit fields at 24 bits", WithHeader({.Width = 1, .Height = 1, .BitCount = 24, .Compression = BI_BITFIELDS}), Invalid},
      {"RLE8 at 4 bits", WithHeader({.Width = 1, .Height = 1, .BitCount = 4, .Compression = BI_RLE8}), Invalid},
      {"RLE4 at 8 bits", WithHeader({.Width = 1, .Height = 1, .BitCount = 8, .Compression = BI_RLE4}), Invalid},
      {"run-length top-down", WithHeader({.Width = 1, .Height = -1, .BitCount = 8, .Compression = BI_RLE8}), Invalid},
      {"negative width", WithHeader({.Width = -1, .Height = 1, .BitCount = 24}, {0, 0, 0, 0}), Invalid},
      {"height -2^31", WithHeader({.Width = 1, .Height = INT32_MIN, .BitCount = 24}), Invalid},
      {"masks cut off", WithHeader({.Width = 1, .Height = 1, .BitCount = 16, .Compression = BI_BITFIELDS}, {0, 0xF8, 0, 0}), ReadErr},
      {"all masks zero", WithHeader({.Width = 1, .Height = 1, .BitCount = 32, .Compression = BI_BITFIELDS}, Bytes(16, 0)), Invalid},
      {"all masks zero in a V4 header", WithHeader({.Size = 108, .Width = 1, .Height = 1, .BitCount = 16, .Compression = BI_BITFIELDS}, Bytes(4, 0)), Invalid},
      {"colour table cut off", WithHeader({.Width = 1, .Height = 1, .BitCount = 8}, Bytes(1000, 0)), ReadErr},
      {"257 colours", WithHeader({.Width = 1, .Height = 1, .BitCount = 8, .ClrUsed = 257}, Bytes(1100, 0)), Invalid},
      {"2^32-1 colours", WithHeader({.Width = 1, .Height = 1, .BitCount = 1, .ClrUsed = 0xFFFFFFFF}), Invalid},
      {"table of a deep image past the file", WithHeader({.Width = 1, .Height = 1, .BitCount = 24, .ClrUsed = 0xFFFFFFFF}), ReadErr},
      {"more pixels than the cap", WithHeader({.Width = 8193, .Height = 8193, .BitCount = 1}, blackWhite), TooBig},
      {"cap passed top-down", WithHeader({.Width = 65536, .Height = -1025, .BitCount = 24}), TooBig},
      {"width and height 2^31-1", WithHeader({.Width = INT32_MAX, .Height = INT32_MAX, .BitCount = 32}), TooBig},
      {"row size past an int", WithHeader({.Width = INT32_MAX, .Height = 0, .BitCount = 32}), TooBig},
      {"OS/2 65535 x 65535", TBmpBuilder().FileHeader().Os2Header(65535, 65535, 24).Build(), TooBig},
      {"run-length image past the cap", WithHeader({.Width = 100000, .Height = 100000, .BitCount = 8, .Compression = BI_RLE8, .ClrUsed = 1}, {0, 0, 0, 0, 0, 1}), TooBig},
  };
  for (const TCorruptFile& c : cases) EXPECT_EQ(ReadError(c.File), c.Message) << c.What;
}

// ---- the oracle: files written by another program ----

TEST(BmpReaderOracle, FilesWrittenByImageMagickReadWithItsColours) {
  if (!OracleAvailable()) GTEST_SKIP() << OracleMissingReason();
  TTempDir dir;
  // 9 x 6 with 20 colours (8-bit palettes) and a 7-colour crop (4-bit palettes).
  TRgbImage picture{9, 6, {}};
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      const int i = (x * 7 + y * 3) % 20;
      picture.Pixels.push_back(RGB(static_cast<std::uint8_t>(i * 12), static_cast<std::uint8_t>(255 - i * 9),
                                   static_cast<std::uint8_t>((i * 53) % 256)));
    }
  WritePpm(dir.File("in.ppm"), picture);
  const std::vector<std::vector<std::string>> variants = {
      {"-type", "TrueColor", "BMP3:"},  {"-type", "Palette", "BMP3:"}, {"-type", "Palette", "-compress", "RLE", "BMP3:"},
      {"-colors", "7", "BMP3:"},         {"-monochrome", "BMP3:"},      {"-type", "TrueColor", "BMP2:"},
      {"-colors", "7", "BMP2:"},         {"-type", "Palette", "BMP:"},  {"-type", "TrueColorAlpha", "BMP:"},
      {"-colors", "7", "-compress", "RLE", "BMP3:"}};
  for (std::size_t v = 0; v < variants.size(); ++v) {
    std::vector<std::string> args = {dir.File("in.ppm")};
    args.insert(args.end(), variants[v].begin(), variants[v].end() - 1);
    const std::string out = dir.File("v" + std::to_string(v) + ".bmp");
    args.push_back(variants[v].back() + out);
    ASSERT_TRUE(RunOracle(args)) << v;
    const std::optional<TRgbImage> expected = DecodeWithOracle(out, dir);
    ASSERT_TRUE(expected) << v;
    const TBmpImage ours = Read(ReadWholeFile(out));
    EXPECT_EQ((TRgbImage{ours.Image.Width(), ours.Image.Height(), PixelColors(ours.Image)}), *expected)
        << "variant " << v;
  }
}

}  // namespace
