// korvane-cli: the dump command's JSON for pictures and failures, the choice
// of format by option or file name, mono-bmp, render's JSON of GIF frames,
// and rewrite through the GIF writer. The commands run in-process; one test runs the built program to
// check its output and exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "BmpBuilder.h"
#include "BmpReader.h"
#include "CliTesting.h"
#include "Commands.h"
#include "DibPixels.h"
#include "GifBuilder.h"
#include "MemoryStream.h"
#include "PixelMemory.h"
#include "Programs.h"
#include "TestFiles.h"

namespace {

// 2 x 1, 1 bit, table red then white: red, white.
std::vector<std::uint8_t> RedWhite() { return SimpleBmp(2, 1, 1, {clRed, clWhite}, {0x40, 0, 0, 0}); }

TEST(CliDump, PicturesPrintTheirPixelsAsHexRowsTopToBottom) {
  TTempDir dir;
  WriteWholeFile(dir.File("a.bmp"), RedWhite());
  const TRun run = Cli({"dump", dir.File("a.bmp")});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, "{\"format\":\"bmp\",\"ok\":true,\"width\":2,\"height\":1,\"pixels\":\"ff0000ffffff\"}\n");

  // 1 x 2, 24 bits, bottom-up: the top row (green) comes first.
  WriteWholeFile(dir.File("b.bmx"), SimpleBmp(1, 2, 24, {}, {0x10, 0x20, 0x30, 0, 0x00, 0xFF, 0x00, 0}));
  EXPECT_EQ(Cli({"dump", dir.File("b.bmx")}).Out,
            "{\"format\":\"bmp\",\"ok\":true,\"width\":1,\"height\":2,\"pixels\":\"00ff00302010\"}\n");

  WriteWholeFile(dir.File("empty.bmp"), {});
  EXPECT_EQ(Cli({"dump", dir.File("empty.bmp")}).Out,
            "{\"format\":\"bmp\",\"ok\":true,\"width\":0,\"height\":0,\"pixels\":\"\"}\n");
}

TEST(CliDump, ReadFailuresPrintTheExactMessageEscaped) {
  TTempDir dir;
  WriteWholeFile(dir.File("short.bmp"), {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0});
  WriteWholeFile(dir.File("gif.bmp"), {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0, 0, 0});
  const std::vector<std::pair<std::string, std::string>> cases = {
      {dir.File("short.bmp"), "Stream read error"},
      {dir.File("gif.bmp"), "Bitmap image is not valid"},
      {dir.File("missing.bmp"), "Cannot open file " + dir.File("missing.bmp")},
  };
  for (const auto& [file, message] : cases) {
    const TRun run = Cli({"dump", file});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "{\"format\":\"bmp\",\"ok\":false,\"error\":\"" + message + "\"}\n");
  }
  // Quotes and backslashes of a file name are escaped; the control character too.
  const TRun odd = Cli({"dump", "no\"such\\file\t.bmp"});
  EXPECT_EQ(odd.Out, "{\"format\":\"bmp\",\"ok\":false,\"error\":\"Cannot open file no\\\"such\\\\file\\t.bmp\"}\n");
}

TEST(CliDump, TheOptionOrElseTheExtensionChoosesTheFormatNeverTheContent) {
  TTempDir dir;
  for (const char* name : {"a.gif", "a.GIF", "a.bmp", "a.bmx", "a"}) WriteWholeFile(dir.File(name), RedWhite());
  const auto format = [](const TRun& run) { return run.Out.substr(0, run.Out.find(',')); };
  EXPECT_EQ(format(Cli({"dump", dir.File("a.gif")})), "{\"format\":\"gif\"");
  EXPECT_EQ(format(Cli({"dump", dir.File("a.GIF")})), "{\"format\":\"gif\"");
  EXPECT_EQ(Cli({"dump", dir.File("a.gif")}).Status, 1);
  EXPECT_EQ(format(Cli({"dump", dir.File("a")})), "{\"format\":\"bmp\"");
  EXPECT_EQ(Cli({"dump", "--format", "bmp", dir.File("a.gif")}).Out, Cli({"dump", dir.File("a.bmp")}).Out);
  EXPECT_EQ(format(Cli({"dump", "--format", "gif", dir.File("a.bmx")})), "{\"format\":\"gif\"");

  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"dump"}, {"dump", "--format", "png", dir.File("a.bmp")}, {"dump", "a", "b"}, {"dump", "--format"}, {"dump", "--format", "bmp"}, {"resize"}, {}}) {
    const TRun run = Cli(wrong);
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(run.Out.empty());
    EXPECT_NE(run.Err.find("usage"), std::string::npos) << run.Err;
  }
}

// A 3 x 2 screen with a global table of red, lime, blue, white; one 2 x 1
// frame at (1, 0) of red and white; then a comment after the last image.
TBytes PlacedFrameGif(bool withTable) {
  TGifBuilder gif;
  gif.Header(3, 2, withTable ? 0x81 : 0x00);
  if (withTable) gif.ColorTable({0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
  return gif.Descriptor(1, 0, 2, 1).ImageData(2, LzwEncode({0, 3}, 2)).Comment({"end"}).Trailer().Bytes();
}

TEST(CliRender, FramesAndTheStillPictureAsRgbRowsTopToBottom) {
  TTempDir dir;
  WriteWholeFile(dir.File("a.gif"), PlacedFrameGif(true));
  const TRun run = Cli({"render", dir.File("a.gif")});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out,
            "{\"format\":\"gif\",\"ok\":true,\"frames\":[{\"width\":2,\"height\":1,\"pixels\":\"ff0000ffffff\"},"
            "null],\"document\":{\"width\":3,\"height\":2,\"pixels\":\"ffffffff0000ffffffffffffffffffffffff\"}}\n");

  // Reading and rendering failures alike.
  WriteWholeFile(dir.File("no-table.gif"), PlacedFrameGif(false));
  WriteWholeFile(dir.File("not.gif"), {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  const std::vector<std::pair<std::string, std::string>> failures = {
      {dir.File("no-table.gif"), "No global or local color table defined"},
      {dir.File("not.gif"), "Invalid GIF signature"},
      {dir.File("missing.gif"), "Cannot open file " + dir.File("missing.gif")},
  };
  for (const auto& [file, message] : failures) {
    const TRun failed = Cli({"render", file});
    EXPECT_EQ(failed.Status, 1) << file;
    EXPECT_EQ(failed.Out, "{\"format\":\"gif\",\"ok\":false,\"error\":\"" + message + "\"}\n");
  }

  for (const std::vector<std::string>& wrong : {std::vector<std::string>{"render"}, {"render", "a.gif", "b.gif"}}) {
    const TRun usage = Cli(wrong);
    EXPECT_EQ(usage.Status, 2);
    EXPECT_TRUE(usage.Out.empty());
    EXPECT_NE(usage.Err.find("usage: korvane-cli render FILE.gif"), std::string::npos) << usage.Err;
  }
  EXPECT_NE(Cli({}).Err.find("korvane-cli render FILE.gif"), std::string::npos);
}

TEST(CliMonoBmp, WhiteStaysWhiteEveryOtherColourTurnsBlack) {
  TTempDir dir;
  // 4 x 1, 24 bits: white, light grey, red, white.
  WriteWholeFile(dir.File("in.bmp"), SimpleBmp(4, 1, 24, {}, {255, 255, 255, 192, 192, 192, 0, 0, 255, 255, 255, 255}));
  ASSERT_EQ(Cli({"mono-bmp", dir.File("in.bmp"), dir.File("out.bmp")}).Status, 0);
  const std::vector<std::uint8_t> out = ReadWholeFile(dir.File("out.bmp"));
  ASSERT_EQ(out.size(), 66u);
  EXPECT_EQ(out[28], 1);  // bits per pixel
  EXPECT_EQ(std::vector<std::uint8_t>(out.begin() + 62, out.end()), (std::vector<std::uint8_t>{0x90, 0, 0, 0}));

  const TRun failed = Cli({"mono-bmp", dir.File("missing.bmp"), dir.File("never.bmp")});
  EXPECT_EQ(failed.Status, 1);
  EXPECT_NE(failed.Err.find("Cannot open file " + dir.File("missing.bmp")), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("never.bmp")));
  EXPECT_EQ(Cli({"mono-bmp", dir.File("in.bmp")}).Status, 2);
}

TEST(CliRewrite, TheWrittenFileDumpsAsTheFileThatWasRead) {
  TTempDir dir;
  const std::vector<std::vector<std::uint8_t>> files = {
      TGifBuilder()
          .Header(6, 5, 0xA1, 2, 49)
          .ColorTable({0x000000, 0xFF0000, 0x00FF00, 0x0000FF})
          .Looping(7)
          .GraphicControl(0x09, 25, 3)
          .Comment({"made by", " a test"})
          .Application("SOMEAPP1XYZ", {{1, 2, 3}})
          .Descriptor(1, 1, 4, 3, 0x80)
          .ColorTable({0x112233, 0x445566})
          .ImageData(2, LzwEncode({1, 0, 1, 0, 0, 1, 0, 1, 1, 1, 0, 0}, 2))
          .PlainText({12, 0, 0, 0, 0, 6, 0, 5, 0, 1, 1, 1, 0}, {"text"})
          .Descriptor(0, 0, 6, 5, 0x40)
          .ImageData(2, LzwEncode({0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1}, 2))
          .Comment({"trailing"})
          .Trailer()
          .Bytes(),
      TGifBuilder().Header(3, 1, 0x80, 0, 0, "GIF87a").ColorTable({0, 0xFFFFFF}).Image(3, 1, {1, 0, 1}, 2).Trailer().Bytes(),
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string in = dir.File("in" + std::to_string(i) + ".gif");
    const std::string out = dir.File("out" + std::to_string(i) + ".gif");
    WriteWholeFile(in, files[i]);
    const TRun run = Cli({"rewrite", in, out});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    const TRun original = Cli({"dump", in});
    EXPECT_EQ(original.Status, 0);
    EXPECT_EQ(Cli({"dump", out}).Out, original.Out) << "file " << i;
  }
}

TEST(CliRewrite, FailuresPrintTheMessageAndLeaveTheOutputAlone) {
  TTempDir dir;
  WriteWholeFile(dir.File("not.gif"), {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0});
  // A 2-entry table, and pixel 3 in 2-bit codes.
  WriteWholeFile(dir.File("beyond.gif"),
                 TGifBuilder().Header(2, 1, 0x80).ColorTable({0, 0xFFFFFF}).Image(2, 1, {1, 3}, 2).Trailer().Bytes());
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"not.gif", "Invalid GIF signature"},
      {"beyond.gif", "Color not in color table"},
      {"missing.gif", "Cannot open file " + dir.File("missing.gif")},
  };
  for (const auto& [name, message] : cases) {
    WriteWholeFile(dir.File("out.gif"), {'o', 'l', 'd'});
    const TRun run = Cli({"rewrite", dir.File(name), dir.File("out.gif")});
    EXPECT_EQ(run.Status, 1) << name;
    EXPECT_EQ(run.Err, "korvane-cli: " + dir.File(name) + ": " + message + "\n");
    EXPECT_EQ(ReadWholeFile(dir.File("out.gif")), (std::vector<std::uint8_t>{'o', 'l', 'd'})) << name;
  }
  const TRun usage = Cli({"rewrite", dir.File("not.gif")});
  EXPECT_EQ(usage.Status, 2);
  EXPECT_NE(usage.Err.find("usage: korvane-cli rewrite IN.gif OUT.gif"), std::string::npos) << usage.Err;
}

// A 3 x 1 screen, table red, green, blue, white; frames of white (W) and
// other colours: W R W / R W W / (at x 1) W G / B B B, and a fifth, unused.
// With lastData, a sixth frame of 50 x 1 follows with that image data.
TBytes FourFrameGif(int frames = 5, const TBytes& lastData = {}) {
  TGifBuilder gif;
  gif.Header(3, 1, 0x81).ColorTable({0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
  const std::vector<TBytes> images{{3, 0, 3}, {0, 3, 3}, {3, 1}, {2, 2, 2}, {0, 0, 0}};
  for (int k = 0; k < frames; ++k) {
    const TBytes& indices = images[static_cast<std::size_t>(k)];
    gif.Descriptor(k == 2 ? 1 : 0, 0, static_cast<std::uint16_t>(indices.size()), 1).ImageData(2, LzwEncode(indices, 2));
  }
  if (!lastData.empty()) gif.Descriptor(0, 0, 50, 1).ImageData(2, lastData);
  return gif.Trailer().Bytes();
}

TEST(CliGif2Bmx, WritesTheStripOfTheFirstFourFramesAndPrintsNothing) {
  TTempDir dir;
  WriteWholeFile(dir.File("in.gif"), FourFrameGif());
  // Frame 2 covers the right two pixels: as the animation shows it, over
  // frame 1; as stored, at the left edge on white.
  const std::pair<std::vector<std::string>, std::uint8_t> cases[] = {{{}, 0x40}, {{"--as-stored"}, 0xA0}};
  for (const auto& [options, frame2] : cases) {
    std::vector<std::string> args{"gif2bmx"};
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), {dir.File("in.gif"), dir.File("out.bmx")});
    const TRun run = Cli(args);
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "");
    const std::vector<std::uint8_t> expected{
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,               // file header
        40, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0,  // size, 3 x 4, 1 plane, 1 bit, no compression
        16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,  // 16 pixel bytes, 2 colours
        0, 0, 0, 0, 255, 255, 255, 0,                                 // black, white
        0x00, 0, 0, 0,    // frame 3: B B B (the bottom row comes first)
        frame2, 0, 0, 0,  // frame 2, W G: R W G over frame 1, or W G W at the left edge
        0x60, 0, 0, 0,    // frame 1: R W W
        0xA0, 0, 0, 0};   // frame 0: W R W
    EXPECT_EQ(ReadWholeFile(dir.File("out.bmx")), expected) << (options.empty() ? "defaults" : options[0]);
  }
}

TEST(CliGif2Bmx, FailuresPrintTheExactMessageAndLeaveTheOutputAsItWas) {
  TTempDir dir;
  WriteWholeFile(dir.File("three.gif"), FourFrameGif(3));
  WriteWholeFile(dir.File("not.gif"), RedWhite());
  WriteWholeFile(dir.File("good.gif"), FourFrameGif());
  // Frame 5, not needed for the strip, has a code table that loops: reading fails all the same.
  const TBytes circular = TCodePacker().Add(4, 3).Add(1, 3).Add(7, 3).Add(7, 3).Add(7, 4).Add(5, 4).Bytes();
  WriteWholeFile(dir.File("six.gif"), FourFrameGif(5, circular));
  const std::string noFolder = dir.File("none") + "/out.bmx";
  // The failing file is the input, or the output where it cannot be made.
  const std::vector<std::tuple<std::vector<std::string>, std::string, std::string>> cases = {
      {{dir.File("three.gif"), dir.File("out.bmx")}, dir.File("three.gif"), "List index out of bounds (3)"},
      {{dir.File("six.gif"), dir.File("out.bmx")}, dir.File("six.gif"), "Circular decoder table entry"},
      {{dir.File("not.gif"), dir.File("out.bmx")}, dir.File("not.gif"), "Invalid GIF signature"},
      {{dir.File("missing.gif"), dir.File("out.bmx")}, dir.File("missing.gif"),
       "Cannot open file " + dir.File("missing.gif")},
      {{dir.File("good.gif"), noFolder}, noFolder, "Cannot create file " + noFolder},
  };
  for (const auto& [files, failing, message] : cases) {
    WriteWholeFile(dir.File("out.bmx"), {'o', 'l', 'd'});
    const TRun run = Cli({"gif2bmx", files[0], files[1]});
    EXPECT_EQ(run.Status, 1) << message;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "korvane-cli: " + failing + ": " + message + "\n");
    EXPECT_EQ(ReadWholeFile(dir.File("out.bmx")), (std::vector<std::uint8_t>{'o', 'l', 'd'})) << message;
  }
  const TRun usage = Cli({"gif2bmx", dir.File("good.gif")});
  EXPECT_EQ(usage.Status, 2);
  EXPECT_NE(usage.Err.find("usage: korvane-cli gif2bmx ["), std::string::npos) << usage.Err;
  EXPECT_NE(usage.Err.find("IN.gif OUT.bmx"), std::string::npos) << usage.Err;
}

TEST(CliMonoBmp, AnEmptyPictureIsRefusedAndNothingIsWritten) {
  TTempDir dir;
  WriteWholeFile(dir.File("empty.bmp"), {});
  const TRun run = Cli({"mono-bmp", dir.File("empty.bmp"), dir.File("out.bmp")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "korvane-cli: " + dir.File("empty.bmp") + ": Nothing to save: the picture is empty\n");
  EXPECT_TRUE(run.Out.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.bmp")));
  // A picture 0 pixels wide is as empty; a file already there stays as it was.
  WriteWholeFile(dir.File("out.bmp"), {7, 7, 7});
  WriteWholeFile(dir.File("thin.bmp"), SimpleBmp(0, 5, 24, {}, {}));
  EXPECT_EQ(Cli({"mono-bmp", dir.File("thin.bmp"), dir.File("out.bmp")}).Status, 1);
  EXPECT_EQ(ReadWholeFile(dir.File("out.bmp")), (std::vector<std::uint8_t>{7, 7, 7}));
  EXPECT_EQ(Cli({"mono-bmp", dir.File("empty.bmp"), "-"}).Out, "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3);
}

TEST(CliMonoBmp, TheFuzzFindingOfAHugeRunLengthPictureStaysAtEightBitsAndThenOne) {
  // 70 bytes declaring an RLE8 picture of 2^25 x 2 in yellow and red: black
  // and white, all black. Its colour indices are never widened to 32 bits
  // (that took 460 MB and over a second optimised): the pixel buffers held
  // at once are the 8-bit indices and the 1-bit picture, nothing more. (What
  // the run takes in time and memory, bench/fuzz_findings_bench.py reports.)
  TTempDir dir;
  const std::size_t before = PixelBytesHeld().Now;
  ResetPixelBytesPeak();
  const TRun run = Cli({"mono-bmp", std::string(KORVANE_TEST_DATA_DIR) + "/bmp/fuzz-rle8-huge-slow.bmp", dir.File("out.bmp")});
  EXPECT_EQ(PixelBytesHeld().Peak - before, (std::size_t{1} << 26) + (std::size_t{1} << 23));
  ASSERT_EQ(run.Status, 0) << run.Err;
  const std::vector<std::uint8_t> out = ReadWholeFile(dir.File("out.bmp"));
  ASSERT_EQ(out.size(), 62u + 2u * (1u << 22));
  EXPECT_TRUE(std::vector<std::uint8_t>(out.begin() + 62, out.end()) == std::vector<std::uint8_t>(out.size() - 62, 0));
}

// Headers found by fuzzing that declare big pictures without their pixels:
// black and white, every pixel black, at one bit per pixel.
TEST(CliMonoBmp, FuzzFindingsWithoutTheirPixelsComeOutBlack) {
  struct TCase {
    const char* File;
    std::size_t RowBytes;
    std::size_t Rows;
  };
  const TCase cases[] = {
      {"fuzz-rle8-huge-slow.bmp", std::size_t{1} << 22, 2},
      {"fuzz-32bpp-8192sq-nodata.bmp", 1024, 8192},
      {"fuzz-16bpp-2x16M-rows.bmp", 4, (std::size_t{1} << 24) + 1},
  };
  TTempDir dir;
  for (const TCase& c : cases) {
    const TRun run = Cli({"mono-bmp", std::string(KORVANE_TEST_DATA_DIR) + "/bmp/" + c.File, dir.File("out.bmp")});
    ASSERT_EQ(run.Status, 0) << c.File << ": " << run.Err;
    const std::vector<std::uint8_t> out = ReadWholeFile(dir.File("out.bmp"));
    ASSERT_EQ(out.size(), 62 + c.RowBytes * c.Rows) << c.File;
    EXPECT_EQ(std::count(out.begin() + 62, out.end(), 0), static_cast<std::ptrdiff_t>(c.RowBytes * c.Rows)) << c.File;
  }
}

TEST(CliStandardStreams, ADashReadsTheInputStreamAndWritesTheOutputStream) {
  const std::vector<std::uint8_t> redWhite = RedWhite();
  std::istringstream bmp(std::string(redWhite.begin(), redWhite.end()));
  std::ostringstream out, err;
  EXPECT_EQ(RunCommandLine({"dump", "-"}, bmp, out, err), 0);
  EXPECT_EQ(out.str(), "{\"format\":\"bmp\",\"ok\":true,\"width\":2,\"height\":1,\"pixels\":\"ff0000ffffff\"}\n");

  const TBytes gifBytes = PlacedFrameGif(true);
  std::istringstream gif(std::string(gifBytes.begin(), gifBytes.end()));
  out.str("");
  EXPECT_EQ(RunCommandLine({"render", "-"}, gif, out, err), 0);
  EXPECT_EQ(out.str().rfind("{\"format\":\"gif\",\"ok\":true,\"frames\":[{", 0), 0u) << out.str();

  // mono-bmp - -: a 1-bit BMP on the output stream, nothing else.
  const std::vector<std::uint8_t> twentyFour = SimpleBmp(4, 1, 24, {}, {255, 255, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255});
  std::istringstream in(std::string(twentyFour.begin(), twentyFour.end()));
  out.str("");
  EXPECT_EQ(RunCommandLine({"mono-bmp", "-", "-"}, in, out, err), 0) << err.str();
  const std::string written = out.str();
  ASSERT_EQ(written.size(), 66u);
  EXPECT_EQ(written.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<std::uint8_t>(written[62]), 0x90);

  // Nothing on the input stream reads as an empty BMP, and as no GIF.
  std::istringstream nothing;
  out.str("");
  EXPECT_EQ(RunCommandLine({"dump", "--format", "gif", "-"}, nothing, out, err), 1);
}

// The built program, as a shell pipeline runs it: the bytes come through a
// pipe, named "-" or /dev/stdin. A pipe cannot seek, so it is read whole
// first (a failed seek on it once spun for ever).
TEST(CliProgram, APipeOnStandardInputReadsAsAFile) {
  const TBytes gifBytes = PlacedFrameGif(true);
  const std::string gif(gifBytes.begin(), gifBytes.end());
  const std::vector<std::uint8_t> bmpBytes = RedWhite();
  const std::string bmp(bmpBytes.begin(), bmpBytes.end());
  std::ostringstream inProcess, ignored;
  std::istringstream gifStream(gif);
  RunCommandLine({"dump", "--format", "gif", "-"}, gifStream, inProcess, ignored);
  for (const char* name : {"-", "/dev/stdin"}) {
    const TProgramRun run = RunProgram(KORVANE_CLI, {"dump", "--format", "gif", name}, gif, std::chrono::seconds(60));
    ASSERT_TRUE(run.Finished) << name << " did not end";
    EXPECT_EQ(run.ExitStatus, 0) << name;
    EXPECT_EQ(run.Output, inProcess.str()) << name;
    const TProgramRun bmpRun = RunProgram(KORVANE_CLI, {"dump", name}, bmp, std::chrono::seconds(60));
    ASSERT_TRUE(bmpRun.Finished) << name;
    EXPECT_EQ(bmpRun.Output, "{\"format\":\"bmp\",\"ok\":true,\"width\":2,\"height\":1,\"pixels\":\"ff0000ffffff\"}\n");
  }
  const TProgramRun mono = RunProgram(KORVANE_CLI, {"mono-bmp", "-", "-"}, bmp, std::chrono::seconds(60));
  ASSERT_TRUE(mono.Finished);
  EXPECT_EQ(mono.ExitStatus, 0) << mono.Errors;
  EXPECT_EQ(mono.Output.size(), 66u);
}

TEST(CliProgram, TheBuiltToolPrintsOneLineAndSetsItsExitStatus) {
  TTempDir dir;
  WriteWholeFile(dir.File("a.bmp"), RedWhite());
  WriteWholeFile(dir.File("bad.bmp"), {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  const auto program = [](const std::string& file) {
    const TProgramRun run = RunProgram(KORVANE_CLI, {"dump", file});
    return std::pair{run.ExitStatus, run.Output};
  };
  EXPECT_EQ(program(dir.File("a.bmp")),
            (std::pair{0, std::string("{\"format\":\"bmp\",\"ok\":true,\"width\":2,\"height\":1,\"pixels\":\"ff0000ffffff\"}\n")}));
  EXPECT_EQ(program(dir.File("bad.bmp")),
            (std::pair{1, std::string("{\"format\":\"bmp\",\"ok\":false,\"error\":\"Bitmap image is not valid\"}\n")}));
}

TEST(CliProgram, Gif2BmxIsSilentOnSuccessAndGivesTheMessageOnItsErrorOutput) {
  TTempDir dir;
  WriteWholeFile(dir.File("a.gif"), FourFrameGif());
  WriteWholeFile(dir.File("b.gif"), FourFrameGif(1));
  const auto program = [&dir](const std::string& in) {
    const TProgramRun run = RunProgram(KORVANE_CLI, {"gif2bmx", dir.File(in), dir.File("out.bmx")});
    return std::tuple{run.ExitStatus, run.Output, run.Errors};
  };
  EXPECT_EQ(program("a.gif"), (std::tuple{0, std::string(), std::string()}));
  EXPECT_EQ(ReadWholeFile(dir.File("out.bmx")).size(), 78u);
  EXPECT_EQ(program("b.gif"),
            (std::tuple{1, std::string(), "korvane-cli: " + dir.File("b.gif") + ": List index out of bounds (1)\n"}));
}

}  // namespace
