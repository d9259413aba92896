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

TEST(CliProgram, TheBuiltToolPrintsOneLineAndSetsItsExitStatus) {
  TTempDir dir;
  WriteWholeFile(dir.File("a.bmp"), RedWhite());
  WriteWholeFile(dir.File("bad.bmp"), {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  const auto program = [](const std::string& file) {
    const std::string command = std::string("'") + KORVANE_CLI + "' dump '" + file + "'";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
    const int status = pclose(pipe);
    return std::pair{WEXITSTATUS(status), out};
  };
  EXPECT_EQ(program(dir.File("a.bmp")),
            (std::pair{0, std::string("{\"format\":\"bmp\",\"ok\":true,\"width\":2,\"height\":1,\"pixels\":\"ff0000ffffff\"}\n")}));
  EXPECT_EQ(program(dir.File("bad.bmp")),
            (std::pair{1, std::string("{\"format\":\"bmp\",\"ok\":false,\"error\":\"Bitmap image is not valid\"}\n")}));
}

}  // namespace
