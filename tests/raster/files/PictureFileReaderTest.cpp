// The readers of the 1-bit picture files over hand-made files: the forms and
// tolerances each format allows, then one table of bad, cut-off and
// oversized files with the message each must fail with. Every file is read
// over a memory stream and over one that gives a byte a read.
#include <gtest/gtest.h>

#include "PictureFileTesting.h"
#include "RaisedBy.h"
#include "TestFiles.h"

namespace {

using F = TPictureFileFormat;

const Bytes NolHeader = {'N', 'O', 'L', 0, 1, 0, 0x06, 0x01, 1, 0, 10, 0, 3, 0, 1, 0, 1, 0, 0x53, 0};
const Bytes NggHeader = {'N', 'G', 'G', 0, 1, 0, 10, 0, 3, 0, 1, 0, 1, 0, 0x4A, 0};
const Bytes SampleInk = {0xB1, 0x80, 0x4E, 0x40, 0xFF, 0xC0};
const std::string XbmSizes = "#define s_width 10\n#define s_height 3\n";

struct TAccepted {
  const char* Case;
  F Format;
  Bytes File;
  Pattern Picture;
};

class PictureFileReaderAccepts : public testing::TestWithParam<TAccepted> {};

TEST_P(PictureFileReaderAccepts, TheFileReadsAsItsPicture) {
  const TReadResult result = ReadBothWays(GetParam().Format, GetParam().File);
  EXPECT_EQ(result.Message, "");
  EXPECT_EQ(result.Picture, GetParam().Picture);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormat, PictureFileReaderAccepts,
    testing::Values(
        // Padding bits set in the file do not leak into the picture; bytes
        // after the last row are ignored.
        TAccepted{"WbmpWithSetPaddingAndTrailingBytes", F::Wbmp,
                  {0, 0, 10, 3, 0x4E, 0x7F, 0xB1, 0xBF, 0x00, 0x3F, 0xAA, 0xBB}, Sample},
        // A size written with a needless leading group (0x80) is the same size.
        TAccepted{"WbmpSizeWithALeadingEmptyGroup", F::Wbmp, {0, 0, 0x80, 10, 3, 0x4E, 0x40, 0xB1, 0x80, 0, 0}, Sample},
        TAccepted{"OtbWideSizes", F::Otb, Bytes{0x10, 0, 10, 0, 3, 1} + SampleInk, Sample},
        // Some writers pad the pixel characters to whole bytes.
        TAccepted{"NolPaddedToWholeBytes", F::Nol, NolHeader + TextBytes(SampleCharacters + "00"), Sample},
        TAccepted{"NggWithAnotherClosingField", F::Ngg,
                  Bytes{'N', 'G', 'G', 0, 1, 0, 10, 0, 3, 0, 1, 0, 1, 0, 0, 0} + TextBytes(SampleCharacters), Sample},
        TAccepted{"XbmWithCommentsHotSpotAndPlainChar", F::Xbm,
                  TextBytes("/* a logo */\n#define s_width 10\n#define s_height 3\n#define s_x_hot 1\n#define s_y_hot 2\n"
                            "static char s_bits[] = { /* row 0 */ 0x8D, 0x01,\n 114, 2, 0xff, 0x03, };\n"),
                  Sample},
        // X10: 16-bit values, the leftmost pixel in bit 0.
        TAccepted{"XbmX10Shorts", F::Xbm, TextBytes(XbmSizes + "static short s_bits[] = {0x018d, 0x0272, 0x03ff};"),
                  Sample},
        TAccepted{"PlainPbmWithCommentsAndNoSpacesBetweenPixels", F::PlainPbm,
                  TextBytes("P1\n# made by hand\n10 # width\n3\n1011000110\n01001 11001\n\n1111111111"), Sample},
        TAccepted{"PlainPbmReadAsPbm", F::Pbm, TextBytes("P1 10 3 " + SampleCharacters), Sample},
        TAccepted{"RawPbmWithACommentAfterTheHeight", F::Pbm, TextBytes("P4\n10 3# size\n") + SampleInk, Sample},
        // A file of several pictures gives its first.
        TAccepted{"RawPbmOfTwoPictures", F::Pbm,
                  TextBytes("P4 10 3\n") + SampleInk + TextBytes("P4 1 1\n") + Bytes{0x80}, Sample},
        TAccepted{"WbmpOfNoWidth", F::Wbmp, {0, 0, 0, 100}, {}},
        TAccepted{"PbmOfNoHeight", F::Pbm, TextBytes("P4 5 0\n"), {}}),
    [](const testing::TestParamInfo<TAccepted>& info) { return std::string(info.param.Case); });

struct TRefused {
  const char* Case;
  F Format;
  Bytes File;
  std::string Message;
};

class PictureFileReaderRefuses : public testing::TestWithParam<TRefused> {};

TEST_P(PictureFileReaderRefuses, TheFileFailsWithItsMessage) {
  EXPECT_EQ(ReadBothWays(GetParam().Format, GetParam().File).Message, GetParam().Message);
}

const std::string Wbmp = "WBMP image is not valid";
const std::string Otb = "OTA bitmap is not valid";
const std::string Nol = "Operator logo (NOL) is not valid";
const std::string Ngg = "Group graphic (NGG) is not valid";
const std::string Xbm = "XBM image is not valid";
const std::string Pbm = "PBM image is not valid";
const std::string TooLarge = "Out of system resources";

INSTANTIATE_TEST_SUITE_P(
    BadCutOffAndOversized, PictureFileReaderRefuses,
    testing::Values(
        TRefused{"WbmpOfAnotherType", F::Wbmp, {1, 0, 1, 1, 0}, Wbmp},
        TRefused{"WbmpWithExtensionHeaders", F::Wbmp, {0, 0x80, 1, 1, 0}, Wbmp},
        TRefused{"WbmpEndingInsideTheWidth", F::Wbmp, {0, 0, 0x81}, Wbmp},
        TRefused{"WbmpEndingInsideTheRows", F::Wbmp, {0, 0, 10, 3, 0x4E, 0x40, 0xB1, 0x80, 0}, Wbmp},
        // 8193 x 8193 is just over the pixel cap.
        TRefused{"WbmpOverThePixelCap", F::Wbmp, {0, 0, 0xC0, 0x01, 0xC0, 0x01}, TooLarge},
        TRefused{"WbmpWiderThanAnyInt", F::Wbmp, {0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1}, TooLarge},
        TRefused{"OtbOfTwoBitsDepth", F::Otb, Bytes{0, 10, 3, 2} + SampleInk, Otb},
        TRefused{"OtbWithAChainedInfoField", F::Otb, Bytes{0x80, 10, 3, 1} + SampleInk, Otb},
        TRefused{"OtbEndingInsideTheHeader", F::Otb, {0x10, 0, 10, 0}, Otb},
        TRefused{"OtbEndingInsideTheRows", F::Otb, {0, 10, 3, 1, 0xB1, 0x80, 0x4E, 0x40, 0xFF}, Otb},
        TRefused{"OtbOverThePixelCap", F::Otb, {0x10, 0xFF, 0xFF, 0xFF, 0xFF, 1}, TooLarge},
        TRefused{"NolWithAnotherSignature", F::Nol, Bytes{'N', 'G', 'G'} + Bytes(NolHeader.begin() + 3, NolHeader.end()) + TextBytes(SampleCharacters), Nol},
        TRefused{"NolEndingInsideTheHeader", F::Nol, Bytes(NolHeader.begin(), NolHeader.end() - 1), Nol},
        TRefused{"NolWithAPixelThatIsNoDigit", F::Nol, NolHeader + TextBytes("101100011 " + SampleCharacters), Nol},
        TRefused{"NolEndingInsideThePixels", F::Nol, NolHeader + TextBytes(SampleCharacters.substr(1)), Nol},
        TRefused{"NolOverThePixelCap", F::Nol, {'N', 'O', 'L', 0, 1, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 1, 0, 0x53, 0}, TooLarge},
        TRefused{"NggWithAnotherSignature", F::Ngg, NolHeader + TextBytes(SampleCharacters), Ngg},
        TRefused{"NggWithAPixelThatIsNoDigit", F::Ngg, NggHeader + TextBytes("2" + SampleCharacters), Ngg},
        TRefused{"NggEndingInsideThePixels", F::Ngg, NggHeader + TextBytes("10110"), Ngg},
        TRefused{"XbmWithoutSizes", F::Xbm, TextBytes("static char s_bits[] = {0x00};"), Xbm},
        TRefused{"XbmWithoutHeight", F::Xbm, TextBytes("#define s_width 1\nstatic char s_bits[] = {0x00};"), Xbm},
        TRefused{"XbmWithoutArray", F::Xbm, TextBytes(XbmSizes), Xbm},
        TRefused{"XbmWithASizeThatIsNoNumber", F::Xbm, TextBytes("#define s_width ten\n#define s_height 3\n{0}"), Xbm},
        TRefused{"XbmWithAByteOverEightBits", F::Xbm, TextBytes(XbmSizes + "static char s_bits[] = {0x8d, 0x101, 0x72, 2, 0xff, 3};"), Xbm},
        TRefused{"XbmWithAValueThatIsNoNumber", F::Xbm, TextBytes(XbmSizes + "static char s_bits[] = {0x8d, 0x01, 0xzz, 2, 0xff, 3};"), Xbm},
        TRefused{"XbmWithTooFewValues", F::Xbm, TextBytes(XbmSizes + "static char s_bits[] = {0x8d, 0x01, 0x72, 2, 0xff};"), Xbm},
        TRefused{"XbmWithValuesWithoutCommas", F::Xbm, TextBytes(XbmSizes + "static char s_bits[] = {0x8d 0x01 0x72 2 0xff 3};"), Xbm},
        TRefused{"XbmWithAnOpenComment", F::Xbm, TextBytes("#define s_width 1 /* and so on"), Xbm},
        TRefused{"XbmWithAHugeWord", F::Xbm, TextBytes(std::string(300, 'a')), Xbm},
        TRefused{"XbmOverThePixelCap", F::Xbm, TextBytes("#define s_width 100000\n#define s_height 100000\nstatic char s_bits[] = {0};"), TooLarge},
        TRefused{"PbmOfGreys", F::Pbm, TextBytes("P2 1 1 255 0"), Pbm},
        TRefused{"PbmNotNetpbm", F::Pbm, TextBytes("GIF89a"), Pbm},
        TRefused{"PbmWithASizeThatIsNoNumber", F::Pbm, TextBytes("P4 10 x\n"), Pbm},
        TRefused{"PbmWithASizeRunningIntoTheRaster", F::Pbm, TextBytes("P4 1 1") + Bytes{0x80}, Pbm},
        TRefused{"RawPbmEndingInsideTheRows", F::Pbm, TextBytes("P4 10 3\n") + Bytes{0xB1, 0x80, 0x4E}, Pbm},
        TRefused{"PlainPbmWithAPixelThatIsNoDigit", F::Pbm, TextBytes("P1 2 1 1 2"), Pbm},
        TRefused{"PlainPbmEndingInsideThePixels", F::Pbm, TextBytes("P1 10 3 " + SampleCharacters.substr(0, 29)), Pbm},
        TRefused{"PbmOverThePixelCap", F::Pbm, TextBytes("P4 99999999999999999999 2\n"), TooLarge}),
    [](const testing::TestParamInfo<TRefused>& info) { return std::string(info.param.Case); });

TEST(PictureFileReader, AFailedReadLeavesTheBitmapAsItWas) {
  TBitmap bitmap = BitmapOf(Sample);
  TMemoryStream bad(TextBytes("P4 10 3\n"));
  EXPECT_EQ(RaisedBy([&] { ReadPicture(bitmap, F::Pbm, bad); }), Pbm);
  EXPECT_EQ(PatternOf(bitmap), Sample);
}

TEST(PictureFileReader, APictureReadIsABlackAndWhiteBitmap) {
  TBitmap bitmap;
  TMemoryStream wbmp(Bytes{0, 0, 10, 3, 0x4E, 0x40, 0xB1, 0x80, 0, 0});
  ReadPicture(bitmap, F::Wbmp, wbmp);
  EXPECT_TRUE(bitmap.Monochrome());
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_EQ(PatternOf(bitmap), Sample);
}

TEST(PictureFileReader, CArraysCannotBeOpened) {
  TBitmap bitmap;
  TMemoryStream stream(TextBytes("static const uint8_t x[] = {0};"));
  EXPECT_EQ(RaisedBy([&] { ReadPicture(bitmap, F::CArray, stream); }), "C array files cannot be opened, only saved");
}

}  // namespace
