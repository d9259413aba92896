// The writers of the 1-bit picture files: the exact bytes of each format for
// one small picture whose rows cross a byte edge, the C arrays in both
// layouts, and round trips through our own readers at widths and heights
// around the byte and page edges.
#include <gtest/gtest.h>

#include "PictureFileFormat.h"
#include "PictureFileTesting.h"
#include "RaisedBy.h"

namespace {

using F = TPictureFileFormat;

struct TGolden {
  const char* Case;
  F Format;
  Bytes Expected;
};

class PictureFileGolden : public testing::TestWithParam<TGolden> {};

TEST_P(PictureFileGolden, TheSampleIsWrittenByteForByte) {
  EXPECT_EQ(Written(BitmapOf(Sample), GetParam().Format), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormat, PictureFileGolden,
    testing::Values(
        // Set bits white; rows padded to bytes.
        TGolden{"Wbmp", F::Wbmp, {0x00, 0x00, 0x0A, 0x03, 0x4E, 0x40, 0xB1, 0x80, 0x00, 0x00}},
        // Set bits black.
        TGolden{"Otb", F::Otb, {0x00, 0x0A, 0x03, 0x01, 0xB1, 0x80, 0x4E, 0x40, 0xFF, 0xC0}},
        TGolden{"Nol", F::Nol,
                Bytes{'N', 'O', 'L', 0, 1, 0, 0, 0, 0, 0, 10, 0, 3, 0, 1, 0, 1, 0, 0x53, 0} + TextBytes(SampleCharacters)},
        TGolden{"Ngg", F::Ngg, Bytes{'N', 'G', 'G', 0, 1, 0, 10, 0, 3, 0, 1, 0, 1, 0, 0x4A, 0} + TextBytes(SampleCharacters)},
        // The leftmost pixel in the least significant bit.
        TGolden{"Xbm", F::Xbm,
                TextBytes("#define image_width 10\n#define image_height 3\nstatic unsigned char image_bits[] = {\n"
                          "  0x8d, 0x01, 0x72, 0x02, 0xff, 0x03\n};\n")},
        TGolden{"RawPbm", F::Pbm, TextBytes("P4\n10 3\n") + Bytes{0xB1, 0x80, 0x4E, 0x40, 0xFF, 0xC0}},
        TGolden{"PlainPbm", F::PlainPbm, TextBytes("P1\n10 3\n1011000110\n0100111001\n1111111111\n")}),
    [](const testing::TestParamInfo<TGolden>& info) { return std::string(info.param.Case); });

TEST(PictureFileGolden, AnOperatorLogoCarriesItsNetwork) {
  TPictureWriteOptions options;
  options.Network = {262, 1};
  const Bytes written = Written(BitmapOf(Sample), F::Nol, options);
  EXPECT_EQ(Bytes(written.begin() + 6, written.begin() + 10), (Bytes{0x06, 0x01, 0x01, 0x00}));
}

TEST(PictureFileGolden, SidesOverOneByteTakeTheWideOtaHeader) {
  const Bytes written = Written(BitmapOf(ScrambledPattern(300, 2)), F::Otb);
  EXPECT_EQ(Bytes(written.begin(), written.begin() + 6), (Bytes{0x10, 0x01, 0x2C, 0x00, 0x02, 0x01}));
  EXPECT_EQ(written.size(), 6u + 2 * 38);
}

TEST(PictureFileGolden, WbmpSizesOverSevenBitsTakeSeveralBytes) {
  const Bytes written = Written(BitmapOf(ScrambledPattern(200, 1)), F::Wbmp);
  // 200 = 1 * 128 + 72.
  EXPECT_EQ(Bytes(written.begin(), written.begin() + 5), (Bytes{0x00, 0x00, 0x81, 0x48, 0x01}));
}

TEST(PictureFileGolden, PlainPbmLinesStopAtSeventyCharacters) {
  const Bytes written = Written(BitmapOf(Pattern{std::string(75, '#')}), F::PlainPbm);
  EXPECT_EQ(written, TextBytes("P1\n75 1\n" + std::string(70, '1') + "\n11111\n"));
}

TEST(PictureFileGolden, ColoursOtherThanWhiteAreWrittenBlack) {
  TPixelImage image(3, 1, 32);
  image.SetPixel(0, 0, clWhite);
  image.SetPixel(1, 0, RGB(254, 255, 255));
  image.SetPixel(2, 0, clRed);
  TBitmap bitmap;
  bitmap.SetImage(std::move(image));
  EXPECT_EQ(Written(bitmap, F::PlainPbm), TextBytes("P1\n3 1\n011\n"));
}

// ---- C arrays ----

std::string CArrayText(const std::vector<TCArrayFrame>& frames, const std::string& name, const TCArrayOptions& options) {
  TMemoryStream stream;
  WriteCArray(frames, name, options, stream);
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

TEST(CArrayWriter, AnAnimationInRowsWithProgramMemoryIsOneHeader) {
  const TBitmap first = BitmapOf(Sample);
  const TBitmap second = BitmapOf({"..........", "..........", "#........#"});
  const std::string expected =
      "/* 2 frames of 10 x 3 pixels. */\n"
      "/* Rows from the top, 8 pixels a byte with the leftmost in the most significant bit,\n"
      "   each row padded to whole bytes; a set bit is a black pixel. */\n"
      "#ifndef LOGO_H\n#define LOGO_H\n\n#include <stdint.h>\n"
      "#if defined(__AVR__)\n#include <avr/pgmspace.h>\n#elif !defined(PROGMEM)\n#define PROGMEM\n#endif\n\n"
      "#define LOGO_WIDTH 10\n#define LOGO_HEIGHT 3\n#define LOGO_FRAME_COUNT 2\n#define LOGO_FRAME_BYTES 6\n\n"
      "static const uint8_t logo_frame_0[LOGO_FRAME_BYTES] PROGMEM = {\n"
      "  0xb1, 0x80, 0x4e, 0x40, 0xff, 0xc0\n};\n\n"
      "static const uint8_t logo_frame_1[LOGO_FRAME_BYTES] PROGMEM = {\n"
      "  0x00, 0x00, 0x00, 0x00, 0x80, 0x40\n};\n\n"
      "static const uint8_t *const logo_frames[LOGO_FRAME_COUNT] = {logo_frame_0, logo_frame_1};\n\n"
      "/* How long each frame shows, in hundredths of a second. */\n"
      "static const uint16_t logo_delays[LOGO_FRAME_COUNT] = {10, 65535};\n\n#endif\n";
  TCArrayOptions options;
  options.Progmem = true;
  EXPECT_EQ(CArrayText({{first, 10}, {second, 70000}}, "logo", options), expected);
}

// The array bytes of one frame, read back from the text.
std::string ArrayValues(const std::string& text) {
  const std::size_t open = text.find("= {\n");
  return text.substr(open + 4, text.find("\n};", open) - open - 4);
}

struct TLayoutCase {
  const char* Case;
  TCArrayLayout Layout;
  bool Invert;
  Pattern Picture;
  std::string Values;
};

class CArrayLayouts : public testing::TestWithParam<TLayoutCase> {};

TEST_P(CArrayLayouts, TheFrameBytesFollowTheLayout) {
  TCArrayOptions options;
  options.Layout = GetParam().Layout;
  options.Invert = GetParam().Invert;
  EXPECT_EQ(ArrayValues(CArrayText({{BitmapOf(GetParam().Picture), 0}}, "x", options)), GetParam().Values);
}

INSTANTIATE_TEST_SUITE_P(
    RowsAndPages, CArrayLayouts,
    testing::Values(
        TLayoutCase{"InvertedRows", TCArrayLayout::Rows, true, Sample, "  0x4e, 0x40, 0xb1, 0x80, 0x00, 0x00"},
        // One page: a byte per column, row 0 in bit 0.
        TLayoutCase{"Pages", TCArrayLayout::Pages, false, Sample,
                    "  0x05, 0x06, 0x05, 0x05, 0x06, 0x06, 0x06, 0x05, 0x05, 0x06"},
        TLayoutCase{"InvertedPages", TCArrayLayout::Pages, true, Sample,
                    "  0x02, 0x01, 0x02, 0x02, 0x01, 0x01, 0x01, 0x02, 0x02, 0x01"},
        // Nine rows make two pages; the second holds row 8 in bit 0 and
        // leaves the rows below the picture clear, inverted or not.
        TLayoutCase{"PagesPastEightRows", TCArrayLayout::Pages, true,
                    {"#.", "#.", "#.", "#.", "#.", "#.", "#.", "#.", ".#"}, "  0x00, 0xff, 0x01, 0x00"}),
    [](const testing::TestParamInfo<TLayoutCase>& info) { return std::string(info.param.Case); });

TEST(CArrayWriter, FramesOfDifferentSizesAreRefusedBeforeAnythingIsWritten) {
  const TBitmap a = BitmapOf(Sample), b = BitmapOf({"#"});
  TMemoryStream stream;
  EXPECT_EQ(RaisedBy([&] { WriteCArray({{a, 0}, {b, 0}}, "x", {}, stream); }), "All frames of a C array must have the same size");
  EXPECT_TRUE(stream.Bytes().empty());
}

TEST(CArrayWriter, NamesBecomeCIdentifiers) {
  const TBitmap a = BitmapOf({"#"});
  const std::string text = CArrayText({{a, 0}}, "9 lives-logo", {});
  EXPECT_NE(text.find("#define IMAGE_9_LIVES_LOGO_WIDTH 1\n"), std::string::npos);
  EXPECT_NE(text.find("static const uint8_t image_9_lives_logo_frame_0["), std::string::npos);
  EXPECT_EQ(text.find("PROGMEM"), std::string::npos);
}

// ---- round trips through our own readers ----

class PictureFileRoundTrip : public testing::TestWithParam<TFormatAndSize> {};

TEST_P(PictureFileRoundTrip, WhatIsWrittenReadsBackTheSame) {
  const Pattern picture = ScrambledPattern(GetParam().Width, GetParam().Height);
  const TReadResult back = ReadBothWays(GetParam().Format, Written(BitmapOf(picture), GetParam().Format));
  EXPECT_EQ(back.Message, "");
  EXPECT_EQ(back.Picture, picture);
}

std::vector<TFormatAndSize> RoundTrips() {
  std::vector<TFormatAndSize> cases;
  for (const F format : {F::Wbmp, F::Otb, F::Nol, F::Ngg, F::Xbm, F::Pbm, F::PlainPbm})
    for (const int width : {1, 7, 8, 9, 15, 16, 17, 33, 101})
      for (const int height : {1, 3, 9}) cases.push_back({format, width, height});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryReadableFormat, PictureFileRoundTrip, testing::ValuesIn(RoundTrips()), FormatAndSizeName);

TEST(PictureFileRoundTrip, AnEmptyPictureWritesNothingAndNothingReadsAsEmpty) {
  for (const TPictureFileFormatInfo& info : PictureFileFormats()) {
    EXPECT_TRUE(Written(TBitmap(), info.Format).empty()) << info.Name;
    if (info.Readable) {
      EXPECT_EQ(ReadBothWays(info.Format, {}).Picture, Pattern{}) << info.Name;
    }
  }
}

}  // namespace
