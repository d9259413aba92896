// Our 1-bit picture files cross-checked with independent programs from
// Debian's packages, each taken only when its version output says what it
// is: Netpbm (pbmtowbmp, wbmptopbm, pbmtoxbm, xbmtopbm, pbmtonokia,
// pamtopnm), ImageMagick, gammu (copybitmap reads logos and WBMP and writes
// BMP), and the C compiler, which builds a program from our C array header.
// Each test skips itself, with the reason, when its program is absent.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "Bitmap.h"
#include "ImageOracle.h"
#include "PictureFileTesting.h"
#include "Programs.h"
#include "TestFiles.h"

namespace {

using F = TPictureFileFormat;

const TFoundProgram& NetpbmProgram(const std::string& name) {
  static std::map<std::string, TFoundProgram> found;
  if (found.count(name) == 0)
    found[name] = FindProgram(TProgramClaim{"Netpbm's " + name, {name}, {"-version"}, "from Netpbm Version:", true});
  return found[name];
}

const TFoundProgram& Gammu() {
  static const TFoundProgram found = FindProgram(TProgramClaim{"gammu", {"gammu"}, {"--version"}, "[Gammu version "});
  return found;
}

const TFoundProgram& CCompiler() {
  static const TFoundProgram found =
      FindProgram(TProgramClaim{"the GNU C compiler", {"cc", "gcc"}, {"--version"}, "Free Software Foundation"});
  return found;
}

#define REQUIRE_PROGRAM(found)                         \
  if (!(found)) {                                      \
    GTEST_SKIP() << (found).Reason;                    \
  }

std::string AsText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// The picture as plain PBM text, built here so that no writer of ours is involved.
std::string PlainPbmOf(const Pattern& picture) {
  std::string text = "P1\n" + std::to_string(picture[0].size()) + " " + std::to_string(picture.size()) + "\n";
  for (const std::string& row : picture) {
    for (const char c : row) text += c == '#' ? "1 " : "0 ";
    text += '\n';
  }
  return text;
}

// The picture of plain PBM text as Netpbm writes it (no comments).
Pattern PatternOfPlainPbm(const std::string& text) {
  std::istringstream in(text);
  std::string magic;
  std::size_t width = 0, height = 0;
  in >> magic >> width >> height;
  std::string pixels;
  for (char c; in.get(c);)
    if (c == '0' || c == '1') pixels += c == '1' ? '#' : '.';
  if (magic != "P1" || pixels.size() != width * height) return {"(not plain PBM: " + text.substr(0, 40) + ")"};
  Pattern rows;
  for (std::size_t y = 0; y < height; ++y) rows.push_back(pixels.substr(y * width, width));
  return rows;
}

// Runs a Netpbm filter on standard input; its standard output, or "" when it failed.
std::string Filter(const std::string& program, const std::vector<std::string>& arguments, const std::string& input) {
  const TProgramRun run = RunProgram(NetpbmProgram(program).Path, arguments, input);
  EXPECT_TRUE(run.Finished && run.ExitStatus == 0) << program << ": " << run.Errors;
  return run.Output;
}

Pattern PatternOfRgb(const TRgbImage& image) {
  Pattern rows;
  for (int y = 0; y < image.Height; ++y) {
    std::string row;
    for (int x = 0; x < image.Width; ++x) {
      const TColor c = image.Pixels[static_cast<std::size_t>(y * image.Width + x)];
      row += c == clBlack ? '#' : c == clWhite ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

using TOracleCase = TFormatAndSize;

// ---- Netpbm ----

// Our file decoded by Netpbm, and Netpbm's file of the same picture read by us.
struct TNetpbmRoute {
  std::string Decoder;  // our file to PBM
  std::string Encoder;  // PBM to the format; empty where Netpbm has none
  std::vector<std::string> EncoderArguments;
};

TNetpbmRoute RouteOf(F format) {
  switch (format) {
    case F::Wbmp: return {"wbmptopbm", "pbmtowbmp", {}};
    case F::Xbm: return {"xbmtopbm", "pbmtoxbm", {}};
    case F::Nol: return {"", "pbmtonokia", {"-fmt", "NOL"}};
    case F::Ngg: return {"", "pbmtonokia", {"-fmt", "NGG"}};
    default: return {"pamtopnm", "", {}};  // PBM itself, read back as plain PBM
  }
}

class NetpbmOracle : public testing::TestWithParam<TOracleCase> {};

TEST_P(NetpbmOracle, OurFilesReadThereAndTheirsReadHere) {
  const Pattern picture = ScrambledPattern(GetParam().Width, GetParam().Height);
  const TNetpbmRoute route = RouteOf(GetParam().Format);
  REQUIRE_PROGRAM(NetpbmProgram("pamtopnm"));
  if (!route.Decoder.empty()) {
    REQUIRE_PROGRAM(NetpbmProgram(route.Decoder));
    const std::string ours = AsText(Written(BitmapOf(picture), GetParam().Format));
    const std::string decoded = route.Decoder == "pamtopnm" ? ours : Filter(route.Decoder, {}, ours);
    EXPECT_EQ(PatternOfPlainPbm(Filter("pamtopnm", {"-plain"}, decoded)), picture);
  }
  if (!route.Encoder.empty()) {
    REQUIRE_PROGRAM(NetpbmProgram(route.Encoder));
    const TReadResult theirs =
        ReadBothWays(GetParam().Format, TextBytes(Filter(route.Encoder, route.EncoderArguments, PlainPbmOf(picture))));
    EXPECT_EQ(theirs.Message, "");
    EXPECT_EQ(theirs.Picture, picture);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, NetpbmOracle,
    testing::Values(TOracleCase{F::Wbmp, 10, 3}, TOracleCase{F::Wbmp, 101, 64}, TOracleCase{F::Xbm, 10, 3},
                    TOracleCase{F::Xbm, 101, 64}, TOracleCase{F::Nol, 10, 3}, TOracleCase{F::Nol, 72, 14},
                    TOracleCase{F::Ngg, 10, 3}, TOracleCase{F::Ngg, 72, 14}, TOracleCase{F::Pbm, 10, 3},
                    TOracleCase{F::Pbm, 101, 64}, TOracleCase{F::PlainPbm, 101, 64}),
    FormatAndSizeName);

// ---- ImageMagick ----

class ImageMagickOracle : public testing::TestWithParam<TOracleCase> {};

TEST_P(ImageMagickOracle, OurFilesReadThereAndTheirsReadHere) {
  if (!OracleAvailable()) GTEST_SKIP() << OracleMissingReason();
  const TTempDir dir;
  const Pattern picture = ScrambledPattern(GetParam().Width, GetParam().Height);
  const F format = GetParam().Format;
  // ImageMagick knows WBMP and OTB files only by a prefix that names them.
  const std::string coder = format == F::Otb ? "OTB:" : format == F::Wbmp ? "WBMP:" : "";
  const std::string extension = format == F::PlainPbm ? ".pbm" : FormatInfo(format).Extensions.front();

  const std::string ours = dir.File("ours" + extension);
  WriteWholeFile(ours, Written(BitmapOf(picture), format));
  const std::optional<TRgbImage> decoded = DecodeWithOracle(coder + ours, dir);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(PatternOfRgb(*decoded), picture);

  const std::string source = dir.File("source.pbm");
  WriteWholeFile(source, TextBytes(PlainPbmOf(picture)));
  const std::string theirs = dir.File("theirs" + extension);
  std::vector<std::string> arguments = {source};
  if (format == F::PlainPbm) arguments.insert(arguments.end(), {"-compress", "none"});
  arguments.push_back((coder.empty() ? FormatInfo(format).Title == "XBM" ? "XBM:" : "PBM:" : coder) + theirs);
  ASSERT_TRUE(RunOracle(arguments));
  const TReadResult read = ReadBothWays(format, ReadWholeFile(theirs));
  EXPECT_EQ(read.Message, "");
  EXPECT_EQ(read.Picture, picture);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ImageMagickOracle,
    testing::Values(TOracleCase{F::Wbmp, 10, 3}, TOracleCase{F::Wbmp, 101, 64}, TOracleCase{F::Otb, 10, 3},
                    TOracleCase{F::Otb, 300, 2}, TOracleCase{F::Xbm, 10, 3}, TOracleCase{F::Xbm, 101, 64},
                    TOracleCase{F::Pbm, 10, 3}, TOracleCase{F::PlainPbm, 101, 64}),
    FormatAndSizeName);

// ---- gammu ----

// gammu reads WBMP rows as one run of bits with no padding and refuses very
// small WBMP files, so its WBMP cases are at least 16 wide, in whole bytes.
class GammuOracle : public testing::TestWithParam<TOracleCase> {};

TEST_P(GammuOracle, OurFilesBecomeTheSameBmp) {
  REQUIRE_PROGRAM(Gammu());
  const TTempDir dir;
  const Pattern picture = ScrambledPattern(GetParam().Width, GetParam().Height);
  const std::string ours = dir.File("ours" + FormatInfo(GetParam().Format).Extensions.front());
  WriteWholeFile(ours, Written(BitmapOf(picture), GetParam().Format));
  const std::string bmp = dir.File("copy.bmp");
  const TProgramRun run = RunProgram(Gammu().Path, {"copybitmap", ours, bmp});
  ASSERT_TRUE(run.Finished && run.ExitStatus == 0) << run.Output << run.Errors;
  TBitmap copy;
  copy.LoadFromFile(bmp);
  // gammu paints the background a light green: every colour but black is white.
  Pattern back = PatternOf(copy);
  for (std::string& row : back)
    for (char& c : row)
      if (c != '#') c = '.';
  EXPECT_EQ(back, picture);
}

INSTANTIATE_TEST_SUITE_P(Formats, GammuOracle,
                         testing::Values(TOracleCase{F::Nol, 10, 3}, TOracleCase{F::Nol, 72, 14},
                                         TOracleCase{F::Ngg, 10, 3}, TOracleCase{F::Ngg, 72, 14},
                                         TOracleCase{F::Wbmp, 16, 16}, TOracleCase{F::Wbmp, 72, 28}),
                         FormatAndSizeName);

// ---- the C compiler ----

struct TCompileCase {
  const char* Case;
  const char* Language;  // for the compiler's -x
  const char* Standard;
};

class CArrayCompiles : public testing::TestWithParam<TCompileCase> {};

TEST_P(CArrayCompiles, AProgramBuiltFromTheHeaderSeesTheFramesAndDelays) {
  REQUIRE_PROGRAM(CCompiler());
  const TTempDir dir;
  const TBitmap first = BitmapOf({"#.##...##.", ".#..###..#", "##########"});
  const TBitmap second = BitmapOf({"..........", "..........", "#........#"});
  TPictureWriteOptions options;
  options.CArray.Progmem = true;
  WriteCArrayFile({{first, 10}, {second, 25}}, dir.File("anim.h"), options);
  const std::string main =
      "#include <stdio.h>\n#include \"anim.h\"\n"
      "int main(void) {\n"
      "  int f, i;\n"
      "  printf(\"%d %d %d %d\\n\", ANIM_WIDTH, ANIM_HEIGHT, ANIM_FRAME_COUNT, ANIM_FRAME_BYTES);\n"
      "  for (f = 0; f < ANIM_FRAME_COUNT; ++f) {\n"
      "    printf(\"%u:\", (unsigned)anim_delays[f]);\n"
      "    for (i = 0; i < ANIM_FRAME_BYTES; ++i) printf(\" %02x\", (unsigned)anim_frames[f][i]);\n"
      "    printf(\"\\n\");\n"
      "  }\n"
      "  return 0;\n"
      "}\n";
  WriteWholeFile(dir.File("main.c"), TextBytes(main));
  const std::string program = dir.File("main");
  const TProgramRun build = RunProgram(CCompiler().Path, {"-x", GetParam().Language, GetParam().Standard, "-Wall", "-Wextra",
                                                          "-Wpedantic", "-Werror", "-o", program, dir.File("main.c")});
  ASSERT_TRUE(build.Finished && build.ExitStatus == 0) << build.Errors;
  const TProgramRun run = RunProgram(program, {});
  EXPECT_EQ(run.Output, "10 3 2 6\n10: b1 80 4e 40 ff c0\n25: 00 00 00 00 80 40\n");
}

INSTANTIATE_TEST_SUITE_P(Languages, CArrayCompiles,
                         testing::Values(TCompileCase{"C99", "c", "-std=c99"}, TCompileCase{"Cxx17", "c++", "-std=c++17"}),
                         [](const testing::TestParamInfo<TCompileCase>& info) { return std::string(info.param.Case); });

}  // namespace
