// korvane-cli's one error boundary and the warnings of GIFs that still read:
// every failure, of any kind, is one line "korvane-cli: FILE: MESSAGE" with
// exit status 1; a warning names its file and frame, --quiet drops it and
// --strict fails the file with it, writing nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <sstream>
#include <stdexcept>

#include "CliTesting.h"
#include "ErrorBoundary.h"
#include "GIFImage.h"
#include "GifBuilder.h"
#include "TestFiles.h"

namespace {

TEST(CliBoundary, EveryFailureIsOneLineNamingTheFileInHandWithStatusOne) {
  struct TCase {
    const char* What;
    std::function<void()> Fail;
    std::string File;
    std::string Line;
  };
  const std::vector<TCase> cases = {
      {"the program's own", [] { throw Exception("Invalid GIF signature"); }, "a.gif",
       "korvane-cli: a.gif: Invalid GIF signature\n"},
      {"out of memory", [] { throw std::bad_alloc(); }, "big.gif", "korvane-cli: big.gif: Out of system resources\n"},
      {"a library's", [] { throw std::runtime_error("vector too long"); }, "b.bmp",
       "korvane-cli: b.bmp: vector too long\n"},
      {"not an exception", [] { throw 42; }, "c.gif", "korvane-cli: c.gif: Unexpected failure\n"},
      {"before any file", [] { throw Exception("Stream read error"); }, "", "korvane-cli: Stream read error\n"},
  };
  for (const TCase& row : cases) {
    std::ostringstream err;
    TErrorOutput errors(err);
    const int status = RunGuarded(errors, TWarningMode::Print, [&row] {
      if (!row.File.empty()) HoldFile(row.File);
      row.Fail();
      return ExitOk;
    });
    EXPECT_EQ(status, ExitFailed) << row.What;
    EXPECT_EQ(err.str(), row.Line) << row.What;
  }
}

TEST(CliBoundary, AHugeDeclaredPictureFailsCheaplyThroughTheBoundary) {
  TTempDir dir;
  // 60000 x 60000 pixels declared in a few bytes.
  WriteWholeFile(dir.File("huge.gif"), TGifBuilder()
                                           .Header(60000, 60000, 0x80)
                                           .ColorTable({0, 0xFFFFFF})
                                           .Descriptor(0, 0, 60000, 60000)
                                           .ImageData(2, {0x84, 0x01})
                                           .Trailer()
                                           .Bytes());
  for (const char* command : {"gif2bmx", "rewrite"}) {
    const TRun run = Cli({command, dir.File("huge.gif"), dir.File("out")});
    EXPECT_EQ(run.Status, ExitFailed) << command;
    EXPECT_TRUE(run.Err.starts_with("korvane-cli: " + dir.File("huge.gif") + ": ")) << run.Err;
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out"))) << command;
  }
}

// Three whole frames of 3 x 1; frame 4 of 40 x 1 is cut off in the middle
// of its image data. With an unknown extension, frame 2 is preceded by one.
TBytes GifCutInFrameFour(bool unknownExtension) {
  TGifBuilder gif;
  gif.Header(40, 1, 0x81).ColorTable({0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
  for (int k = 0; k < 3; ++k) {
    if (k == 1 && unknownExtension) gif.Raw({0x21, 0x99, 2, 'h', 'i', 0});
    gif.Descriptor(0, 0, 3, 1).ImageData(2, LzwEncode({static_cast<std::uint8_t>(k), 3, 1}, 2));
  }
  TBytes indices;
  for (int x = 0; x < 40; ++x) indices.push_back(static_cast<std::uint8_t>((x * 7 / 3) % 4));
  const TBytes data = TGifBuilder().ImageData(2, LzwEncode(indices, 2)).Bytes();
  gif.Descriptor(0, 0, 40, 1).Raw(TBytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(data.size() / 2)));
  return gif.Bytes();
}

TEST(CliWarnings, AGifThatReadsWithWarningsConvertsAndSaysSoUnlessQuietOrStrict) {
  TTempDir dir;
  WriteWholeFile(dir.File("cut.gif"), GifCutInFrameFour(false));
  WriteWholeFile(dir.File("odd.gif"), GifCutInFrameFour(true));
  const std::string cut = dir.File("cut.gif"), odd = dir.File("odd.gif");
  const std::string cutWarning = cut + ": frame 4: " + sOutOfData;
  const std::string oddWarning = odd + ": frame 2: " + sUnknownExtension;
  struct TCase {
    std::vector<std::string> Args;
    int Status;
    std::string Err;
  };
  const std::vector<TCase> cases = {
      {{"gif2bmx", cut}, 0, "korvane-cli: warning: " + cutWarning + "\n"},
      {{"gif2bmx", "--quiet", cut}, 0, ""},
      {{"gif2bmx", cut, "--strict"}, 1, "korvane-cli: " + cutWarning + "\n"},
      {{"rewrite", odd}, 0,
       "korvane-cli: warning: " + oddWarning + "\nkorvane-cli: warning: " + odd + ": frame 4: " + sOutOfData + "\n"},
      {{"rewrite", "--strict", odd}, 1, "korvane-cli: " + oddWarning + "\n"},
      {{"bmx2gif", "--strict", cut}, 1, "korvane-cli: " + cut + ": Bitmap image is not valid\n"},
  };
  for (const TCase& row : cases) {
    const std::string what = ::testing::PrintToString(row.Args);
    std::filesystem::remove(dir.File("out"));
    std::vector<std::string> args = row.Args;
    args.push_back(dir.File("out"));
    const TRun run = Cli(args);
    EXPECT_EQ(run.Status, row.Status) << what;
    EXPECT_EQ(run.Err, row.Err) << what;
    EXPECT_EQ(std::filesystem::exists(dir.File("out")), row.Status == 0) << what;
  }
}

TEST(CliWarnings, TheWarningsOfAGifOnTheStandardInputNameIt) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(GifCutInFrameFour(false).data()),
                                    GifCutInFrameFour(false).size()));
  std::ostringstream out, err;
  EXPECT_EQ(RunCommandLine({"gif2bmx", "-", "-"}, in, out, err), 0);
  EXPECT_EQ(err.str(), std::string("korvane-cli: warning: -: frame 4: ") + sOutOfData + "\n");
  EXPECT_EQ(out.str().substr(0, 2), "BM");
}

}  // namespace
