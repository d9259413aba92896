// The list of 1-bit picture formats: which format a file name or a format
// name stands for, and what each can do; and the named-file road, which
// replaces a file only once the whole picture is written.
#include <gtest/gtest.h>

#include <optional>

#include "PictureFileTesting.h"
#include "RaisedBy.h"
#include "TestFiles.h"

namespace {

using F = TPictureFileFormat;

struct TNamed {
  std::string Text;
  std::optional<F> Format;
};

class PictureFileFormatFromFileName : public testing::TestWithParam<TNamed> {};

TEST_P(PictureFileFormatFromFileName, TheExtensionNamesTheFormat) {
  EXPECT_EQ(FormatFromFileName(GetParam().Text), GetParam().Format);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, PictureFileFormatFromFileName,
    testing::Values(TNamed{"logo.wbmp", F::Wbmp}, TNamed{"dir.x/LOGO.WBMP", F::Wbmp}, TNamed{"a.otb", F::Otb},
                    TNamed{"a.nol", F::Nol}, TNamed{"a.ngg", F::Ngg}, TNamed{"a.xbm", F::Xbm},
                    TNamed{"a.pbm", F::Pbm}, TNamed{"anim.h", F::CArray}, TNamed{"anim.C", F::CArray},
                    TNamed{"a.bmp", std::nullopt}, TNamed{"a.gif", std::nullopt}, TNamed{"wbmp", std::nullopt},
                    TNamed{"a.wbmp.bak", std::nullopt}, TNamed{"", std::nullopt}));

class PictureFileFormatFromName : public testing::TestWithParam<TNamed> {};

TEST_P(PictureFileFormatFromName, TheNameNamesTheFormat) { EXPECT_EQ(FormatFromName(GetParam().Text), GetParam().Format); }

INSTANTIATE_TEST_SUITE_P(
    Names, PictureFileFormatFromName,
    testing::Values(TNamed{"wbmp", F::Wbmp}, TNamed{"OTB", F::Otb}, TNamed{"nol", F::Nol}, TNamed{"ngg", F::Ngg},
                    TNamed{"xbm", F::Xbm}, TNamed{"pbm", F::Pbm}, TNamed{"pbm-plain", F::PlainPbm},
                    TNamed{"c", F::CArray}, TNamed{".wbmp", std::nullopt}, TNamed{"bmp", std::nullopt},
                    TNamed{"", std::nullopt}));

TEST(PictureFileFormats, EveryFormatButTheCArraysIsReadAndHoldsOnePicture) {
  for (const TPictureFileFormatInfo& info : PictureFileFormats()) {
    const bool cArray = info.Format == F::CArray;
    EXPECT_EQ(info.Readable, !cArray) << info.Name;
    EXPECT_EQ(info.OnePicture, !cArray) << info.Name;
    EXPECT_EQ(FormatFromName(info.Name), info.Format) << info.Name;
    for (const std::string& extension : info.Extensions) EXPECT_EQ(FormatFromFileName("x" + extension), info.Format);
  }
}

// ---- named files ----

const Pattern Sample = {"#.##...##.", ".#..###..#", "##########"};

TEST(PictureFiles, AWrittenFileReadsBack) {
  const TTempDir dir;
  for (const F format : {F::Wbmp, F::Otb, F::Nol, F::Ngg, F::Xbm, F::Pbm}) {
    const std::string name = dir.File("logo" + FormatInfo(format).Extensions.front());
    WritePictureFile(BitmapOf(Sample), format, name);
    TBitmap back;
    ReadPictureFile(back, format, name);
    EXPECT_EQ(PatternOf(back), Sample) << FormatInfo(format).Name;
  }
}

TEST(PictureFiles, XbmAndCArrayNamesComeFromTheFileUnlessChosen) {
  const TTempDir dir;
  const TBitmap picture = BitmapOf(Sample);
  WritePictureFile(picture, F::Xbm, dir.File("my-logo.xbm"));
  const Bytes xbm = ReadWholeFile(dir.File("my-logo.xbm"));
  EXPECT_EQ(std::string(xbm.begin(), xbm.begin() + 24), "#define my_logo_width 10");

  TPictureWriteOptions options;
  options.Name = "splash";
  WriteCArrayFile({{picture, 30}, {picture, 40}}, dir.File("anim.h"), options);
  const Bytes header = ReadWholeFile(dir.File("anim.h"));
  const std::string text(header.begin(), header.end());
  EXPECT_NE(text.find("#define SPLASH_FRAME_COUNT 2\n"), std::string::npos);
  EXPECT_NE(text.find("splash_delays[SPLASH_FRAME_COUNT] = {30, 40};"), std::string::npos);
}

TEST(PictureFiles, APictureTooLargeForTheFormatLeavesTheOldFileAlone) {
  const TTempDir dir;
  const std::string name = dir.File("logo.otb");
  WriteWholeFile(name, {1, 2, 3});
  const TBitmap wide = BitmapOf({std::string(65536, '#')});
  EXPECT_EQ(RaisedBy([&] { WritePictureFile(wide, F::Otb, name); }), "The picture is too large for the OTA bitmap format");
  EXPECT_EQ(RaisedBy([&] { WritePictureFile(wide, F::Ngg, name); }), "The picture is too large for the NGG format");
  EXPECT_EQ(ReadWholeFile(name), (Bytes{1, 2, 3}));
  // XBM and PBM have no such limit.
  WritePictureFile(wide, F::Pbm, name);
  EXPECT_EQ(ReadWholeFile(name).size(), std::string("P4\n65536 1\n").size() + 65536 / 8);
}

TEST(PictureFiles, AFileThatCannotBeOpenedIsNamed) {
  const TTempDir dir;
  TBitmap bitmap;
  const std::string name = dir.File("missing.wbmp");
  EXPECT_EQ(RaisedBy([&] { ReadPictureFile(bitmap, F::Wbmp, name); }), "Cannot open file " + name);
}

}  // namespace
