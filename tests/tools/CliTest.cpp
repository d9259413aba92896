// korvane-cli: the dump command's JSON for pictures and failures, the choice
// of format by option or file name, mono-bmp, render's JSON of GIF frames,
// and rewrite through the GIF writer. The commands run in-process; one test runs the built program to
// check its output and exit status.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

#include "BmpBuilder.h"
#include "BmpReader.h"
#include "Commands.h"
#include "DibPixels.h"
#include "GifBuilder.h"
#include "MemoryStream.h"
#include "TestFiles.h"

namespace {

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

TRun Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunCommandLine(args, out, err);
  return {status, out.str(), err.str()};
}

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

  // An empty picture gives an empty file.
  WriteWholeFile(dir.File("empty.bmp"), {});
  ASSERT_EQ(Cli({"mono-bmp", dir.File("empty.bmp"), dir.File("empty-out.bmp")}).Status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("empty-out.bmp")));
  EXPECT_TRUE(ReadWholeFile(dir.File("empty-out.bmp")).empty());

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
      {"not.gif", "korvane-cli rewrite: Invalid GIF signature\n"},
      {"beyond.gif", "korvane-cli rewrite: Color not in color table\n"},
      {"missing.gif", "korvane-cli rewrite: Cannot open file " + dir.File("missing.gif") + "\n"},
  };
  for (const auto& [name, message] : cases) {
    WriteWholeFile(dir.File("out.gif"), {'o', 'l', 'd'});
    const TRun run = Cli({"rewrite", dir.File(name), dir.File("out.gif")});
    EXPECT_EQ(run.Status, 1) << name;
    EXPECT_EQ(run.Err, message);
    EXPECT_EQ(ReadWholeFile(dir.File("out.gif")), (std::vector<std::uint8_t>{'o', 'l', 'd'})) << name;
  }
  const TRun usage = Cli({"rewrite", dir.File("not.gif")});
  EXPECT_EQ(usage.Status, 2);
  EXPECT_NE(usage.Err.find("usage: korvane-cli rewrite IN.gif OUT.gif"), std::string::npos) << usage.Err;
}

// A 3 x 1 screen, table red, green, blue, white; frames of white (W) and
// other colours: W R W / R W W / (at x 1) W G / B B B, and a fifth, unused.
TBytes FourFrameGif(int frames = 5) {
  TGifBuilder gif;
  gif.Header(3, 1, 0x81).ColorTable({0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
  const std::vector<TBytes> images{{3, 0, 3}, {0, 3, 3}, {3, 1}, {2, 2, 2}, {0, 0, 0}};
  for (int k = 0; k < frames; ++k) {
    const TBytes& indices = images[static_cast<std::size_t>(k)];
    gif.Descriptor(k == 2 ? 1 : 0, 0, static_cast<std::uint16_t>(indices.size()), 1).ImageData(2, LzwEncode(indices, 2));
  }
  return gif.Trailer().Bytes();
}

TEST(CliGif2Bmx, WritesTheStripOfTheFirstFourFramesAndPrintsNothing) {
  TTempDir dir;
  WriteWholeFile(dir.File("in.gif"), FourFrameGif());
  const TRun run = Cli({"gif2bmx", dir.File("in.gif"), dir.File("out.bmx")});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Err, "");
  const std::vector<std::uint8_t> expected{
      'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,               // file header
      40, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0,  // size, 3 x 4, 1 plane, 1 bit, no compression
      16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,  // 16 pixel bytes, 2 colours
      0, 0, 0, 0, 255, 255, 255, 0,                                 // black, white
      0x00, 0, 0, 0,   // frame 3: B B B (the bottom row comes first)
      0xA0, 0, 0, 0,   // frame 2 at the left edge: W G, then white
      0x60, 0, 0, 0,   // frame 1: R W W
      0xA0, 0, 0, 0};  // frame 0: W R W
  EXPECT_EQ(ReadWholeFile(dir.File("out.bmx")), expected);
}

TEST(CliGif2Bmx, FailuresPrintTheExactMessageAndLeaveTheOutputAsItWas) {
  TTempDir dir;
  WriteWholeFile(dir.File("three.gif"), FourFrameGif(3));
  WriteWholeFile(dir.File("not.gif"), RedWhite());
  WriteWholeFile(dir.File("good.gif"), FourFrameGif());
  const std::string noFolder = dir.File("none") + "/out.bmx";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{dir.File("three.gif"), dir.File("out.bmx")}, "List index out of bounds (3)"},
      {{dir.File("not.gif"), dir.File("out.bmx")}, "Invalid GIF signature"},
      {{dir.File("missing.gif"), dir.File("out.bmx")}, "Cannot open file " + dir.File("missing.gif")},
      {{dir.File("good.gif"), noFolder}, "Cannot create file " + noFolder},
  };
  for (const auto& [files, message] : cases) {
    WriteWholeFile(dir.File("out.bmx"), {'o', 'l', 'd'});
    const TRun run = Cli({"gif2bmx", files[0], files[1]});
    EXPECT_EQ(run.Status, 1) << message;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, message + "\n");
    EXPECT_EQ(ReadWholeFile(dir.File("out.bmx")), (std::vector<std::uint8_t>{'o', 'l', 'd'})) << message;
  }
  const TRun usage = Cli({"gif2bmx", dir.File("good.gif")});
  EXPECT_EQ(usage.Status, 2);
  EXPECT_NE(usage.Err.find("usage: korvane-cli gif2bmx IN.gif OUT.bmx"), std::string::npos) << usage.Err;
}

// Runs a shell command: its exit status and what it printed.
std::pair<int, std::string> Shell(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  const int status = pclose(pipe);
  return {WEXITSTATUS(status), out};
}

TEST(CliProgram, TheBuiltToolPrintsOneLineAndSetsItsExitStatus) {
  TTempDir dir;
  WriteWholeFile(dir.File("a.bmp"), RedWhite());
  WriteWholeFile(dir.File("bad.bmp"), {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  const auto program = [](const std::string& file) { return Shell("'" + std::string(KORVANE_CLI) + "' dump '" + file + "'"); };
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
    return Shell("'" + std::string(KORVANE_CLI) + "' gif2bmx '" + dir.File(in) + "' '" + dir.File("out.bmx") + "' 2>&1");
  };
  EXPECT_EQ(program("a.gif"), (std::pair{0, std::string()}));
  EXPECT_EQ(ReadWholeFile(dir.File("out.bmx")).size(), 78u);
  EXPECT_EQ(program("b.gif"), (std::pair{1, std::string("List index out of bounds (1)\n")}));
}

}  // namespace
