// korvane-cli convert: each format by OUT's extension and by --to, a strip
// into four files of one picture each, a GIF's frames into one C header, bad
// option values, and failing files that name their format and write nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliTesting.h"
#include "GifBuilder.h"
#include "PictureFileTesting.h"
#include "TestFiles.h"

namespace {

const Pattern Picture{"#..#.##.#", ".##..#..#", "#.#.#.#.#"};

// Four bands of 9 x 3 stacked: band k has its pixel (k, 0) black.
Pattern StripPattern() {
  Pattern rows;
  for (int k = 0; k < 4; ++k) {
    Pattern band{".........", ".........", "........."};
    band[0][static_cast<std::size_t>(k)] = '#';
    rows.insert(rows.end(), band.begin(), band.end());
  }
  return rows;
}

void WritePattern(const Pattern& pattern, TPictureFileFormat format, const std::string& fileName) {
  WritePictureFile(BitmapOf(pattern), format, fileName);
}

Pattern ReadPattern(TPictureFileFormat format, const std::string& fileName) {
  TBitmap bitmap;
  ReadPictureFile(bitmap, format, fileName);
  return PatternOf(bitmap);
}

std::size_t FilesIn(const TTempDir& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
}

struct FormatCase {
  std::string Extension;  // of OUT
  std::string To;         // the same format by name
  TPictureFileFormat Format;
};

TEST(CliConvert, EachFormatByTheExtensionAndByToWritesWhatItsReaderReadsBack) {
  const FormatCase cases[] = {
      {".wbmp", "wbmp", TPictureFileFormat::Wbmp}, {".otb", "otb", TPictureFileFormat::Otb},
      {".nol", "nol", TPictureFileFormat::Nol},    {".ngg", "ngg", TPictureFileFormat::Ngg},
      {".xbm", "xbm", TPictureFileFormat::Xbm},    {".PBM", "pbm", TPictureFileFormat::Pbm},
      {".pbm", "pbm-plain", TPictureFileFormat::PlainPbm},
  };
  TTempDir dir;
  WritePattern(Picture, TPictureFileFormat::PlainPbm, dir.File("in.pbm"));
  for (const FormatCase& row : cases) {
    SCOPED_TRACE(row.To);
    const std::string byExtension = dir.File("ext" + row.Extension);
    const TRun run = Cli({"convert", dir.File("in.pbm"), byExtension});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadPattern(row.Format, byExtension), Picture);
    const std::string byName = dir.File("named.out");
    const TRun named = Cli({"convert", "--to", row.To, dir.File("in.pbm"), byName});
    ASSERT_EQ(named.Status, 0) << named.Err;
    EXPECT_EQ(ReadPattern(row.Format, byName), Picture);
    EXPECT_EQ(run.Out + run.Err + named.Out + named.Err, "");
  }
  // --to wins over the extension: plain PBM is text, raw PBM is not.
  ASSERT_EQ(Cli({"convert", "--to=pbm-plain", dir.File("in.pbm"), dir.File("plain.pbm")}).Status, 0);
  EXPECT_EQ(ReadWholeFile(dir.File("plain.pbm"))[1], '1');
  ASSERT_EQ(Cli({"convert", dir.File("in.pbm"), dir.File("raw.pbm")}).Status, 0);
  EXPECT_EQ(ReadWholeFile(dir.File("raw.pbm"))[1], '4');
  // And back to a 1-bit BMP.
  ASSERT_EQ(Cli({"convert", dir.File("ext.wbmp"), dir.File("back.bmp")}).Status, 0);
  TBitmap back;
  back.LoadFromFile(dir.File("back.bmp"));
  EXPECT_EQ(PatternOf(back), Picture);
  EXPECT_TRUE(back.Monochrome());
}

TEST(CliConvert, AStripGoesIntoOneFileAFrameWhereTheFormatHoldsOnePicture) {
  TTempDir dir;
  TBitmap strip = BitmapOf(StripPattern());
  strip.SetMonochrome(true);
  strip.SaveToFile(dir.File("anim.bmx"));
  const TRun run = Cli({"convert", dir.File("anim.bmx"), dir.File("logo.xbm")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  for (int k = 1; k <= 4; ++k) {
    Pattern band{".........", ".........", "........."};
    band[0][static_cast<std::size_t>(k - 1)] = '#';
    EXPECT_EQ(ReadPattern(TPictureFileFormat::Xbm, dir.File("logo-" + std::to_string(k) + ".xbm")), band) << k;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("logo.xbm")));
  // Four files cannot go to the standard output.
  const TRun piped = Cli({"convert", "--to", "wbmp", dir.File("anim.bmx"), "-"});
  EXPECT_EQ(piped.Status, 2);
  EXPECT_EQ(piped.Out, "");
  EXPECT_EQ(FilesIn(dir), 5u);
}

// Six frames of 8 x 1 over black and white, frame i black at pixel i only,
// shown for 10 * (i + 1) hundredths.
TBytes SixFrameGif() {
  TGifBuilder gif;
  gif.Header(8, 1, 0x80).ColorTable({0x000000, 0xFFFFFF});
  for (std::uint8_t i = 0; i < 6; ++i) {
    TBytes pixels(8, 1);
    pixels[i] = 0;
    gif.GraphicControl(0, static_cast<std::uint16_t>(10 * (i + 1)), 0).Image(8, 1, pixels, 2);
  }
  return gif.Trailer().Bytes();
}

TEST(CliConvert, AnAnimatedGifBecomesOneHeaderWithAllItsFramesAndDelays) {
  TTempDir dir;
  WriteWholeFile(dir.File("anim.gif"), SixFrameGif());
  const TRun run = Cli({"convert", dir.File("anim.gif"), dir.File("anim.h")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::vector<std::uint8_t> bytes = ReadWholeFile(dir.File("anim.h"));
  const std::string header(bytes.begin(), bytes.end());
  EXPECT_NE(header.find("#define ANIM_FRAME_COUNT 6\n"), std::string::npos) << header;
  EXPECT_NE(header.find("{10, 20, 30, 40, 50, 60}"), std::string::npos) << header;
  for (int i = 0; i < 6; ++i) {
    char frame[64];
    std::snprintf(frame, sizeof frame, "anim_frame_%d[ANIM_FRAME_BYTES] = {\n  0x%02x\n", i, 0x80 >> i);
    EXPECT_NE(header.find(frame), std::string::npos) << frame;
  }
  // The strip options shape every frame; --invert and the pages layout.
  const TRun pages = Cli({"convert", "--size", "8x8", "--fit", "stretch", "--invert", "--layout", "pages", "--progmem",
                          dir.File("anim.gif"), dir.File("pages.c")});
  ASSERT_EQ(pages.Status, 0) << pages.Err;
  const std::vector<std::uint8_t> pageBytes = ReadWholeFile(dir.File("pages.c"));
  const std::string paged(pageBytes.begin(), pageBytes.end());
  EXPECT_NE(paged.find("pages_frame_5[PAGES_FRAME_BYTES] PROGMEM = {\n  0xff, 0xff, 0xff, 0xff, 0xff, 0x00, 0xff, 0xff\n"),
            std::string::npos)
      << paged;
}

TEST(CliConvert, ABadValueNamesTheOptionAndWritesNothing) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--to", "jpeg", "in.pbm", "out.x"},
       "bad value \"jpeg\" for --to: it accepts bmp|wbmp|otb|nol|ngg|xbm|pbm|pbm-plain|c\n"},
      {{"--layout=columns", "in.pbm", "out.h"}, "bad value \"columns\" for --layout: it accepts rows|pages\n"},
      {{"--progmem=maybe", "in.pbm", "out.h"}, "bad value \"maybe\" for --progmem: it accepts on|off\n"},
      {{"--mono", "grey", "in.pbm", "out.h"},
       "bad value \"grey\" for --mono: it accepts exact|threshold[=N]|floyd|atkinson|ordered4|ordered8\n"},
      {{"in.pbm", "out.jpg"},
       "cannot tell the format of out.jpg from its extension: name it with --to bmp|wbmp|otb|nol|ngg|xbm|pbm|pbm-plain|c\n"},
  };
  TTempDir dir;
  WritePattern(Picture, TPictureFileFormat::Pbm, dir.File("in.pbm"));
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  for (const auto& [args, message] : cases) {
    SCOPED_TRACE(args[0]);
    std::vector<std::string> words{"convert"};
    words.insert(words.end(), args.begin(), args.end());
    const TRun run = Cli(words);
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, message);
    EXPECT_EQ(FilesIn(dir), 1u);
  }
  std::filesystem::current_path(previous);
}

struct BrokenCase {
  std::string Name;
  Bytes Content;
  std::string Message;
};

TEST(CliConvert, ATruncatedInputFailsWithItsFormatsMessageAndWritesNothing) {
  const BrokenCase cases[] = {
      {"cut.wbmp", {0, 0, 8, 8, 0xFF}, "WBMP image is not valid\n"},
      {"cut.xbm", TextBytes("#define a_width 8\n#define a_height 2\nstatic char a_bits[] = { 0x01,"),
       "XBM image is not valid\n"},
      {"cut.nol", TextBytes("NOL") + Bytes{0, 1, 0, 0, 0, 0, 0, 4, 0, 1, 0, 1, 0, 1, 0, 0x53, 0} + TextBytes("10"),
       "Operator logo (NOL) is not valid\n"},
      {"cut.pbm", TextBytes("P4\n16 2\n\xFF"), "PBM image is not valid\n"},
      {"cut.gif", TextBytes("GIF89a"), "Premature end of data\n"},
      {"anim.h", TextBytes("static const uint8_t a[] = {0};\n"), "C array files cannot be opened, only saved\n"},
      {"empty.pbm", TextBytes("P1\n0 0\n"), "Nothing to save: the picture is empty\n"},
  };
  TTempDir dir;
  for (const BrokenCase& row : cases) {
    SCOPED_TRACE(row.Name);
    WriteWholeFile(dir.File(row.Name), row.Content);
    const TRun run = Cli({"convert", dir.File(row.Name), dir.File("out.wbmp")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "korvane-cli: " + dir.File(row.Name) + ": " + row.Message);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.wbmp")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out-1.wbmp")));
  }
}

}  // namespace
