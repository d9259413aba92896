// From a BMX strip to a looping GIF, as korvane-cli bmx2gif and Animate build
// it: the document the road makes, the exact bytes of the file written for a
// phone strip, giflib's reading of it, the strip given back by gif2bmx, and
// the failures with their messages.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

#include "BmxAnimation.h"
#include "BmxStrip.h"
#include "CliTesting.h"
#include "Commands.h"
#include "GifBuilder.h"
#include "TestFiles.h"
#ifdef KORVANE_HAS_GIFLIB
#include "GiflibOracle.h"
#endif

namespace {

constexpr int StripWidth = 101;
constexpr int StripHeight = 256;
constexpr int FrameRows = 64;

// A different picture in each of the four frames: a border, a box that moves
// and a diagonal line.
bool StripBlack(int x, int y) {
  const int k = y / FrameRows;
  const int r = y % FrameRows;
  if (x == 0 || x == StripWidth - 1 || r == 0 || r == FrameRows - 1) return true;
  if (x >= 10 + 20 * k && x < 30 + 20 * k && r >= 10 + 8 * k && r < 30 + 8 * k) return true;
  return x == r + 10 * k;
}

// The strip written by the program itself, as a 1-bit BMP.
std::string WritePhoneStrip(const TTempDir& dir) {
  TPixelImage image(StripWidth, StripHeight, 1, {{0, 0, 0, 0}, {255, 255, 255, 0}});
  for (int y = 0; y < StripHeight; ++y)
    for (int x = 0; x < StripWidth; ++x) image.SetPixel(x, y, StripBlack(x, y) ? clBlack : clWhite);
  TBitmap strip;
  strip.SetImage(std::move(image), false);
  const std::string fileName = dir.File("phone.bmx");
  strip.SaveToFile(fileName);
  return fileName;
}

// The cube indices of frame k: black is entry 0, white entry 215.
TBytes FrameIndices(int k) {
  TBytes indices;
  for (int y = 0; y < FrameRows; ++y)
    for (int x = 0; x < StripWidth; ++x) indices.push_back(StripBlack(x, k * FrameRows + y) ? 0 : 215);
  return indices;
}

std::vector<std::uint32_t> CubeThenBlack() {
  std::vector<std::uint32_t> colors(256, 0);
  for (int i = 0; i < 216; ++i)
    colors[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(51 * (i / 36)) << 16 |
                                          static_cast<std::uint32_t>(51 * (i / 6 % 6)) << 8 |
                                          static_cast<std::uint32_t>(51 * (i % 6));
  return colors;
}

// The file, block by block: a screen of one frame's size without a global
// table (size bits for 256 colours), frame 0's looping extension before its
// graphic control extension, a delay of 30 and no transparency on every
// frame, and each frame's 256-entry local table.
TBytes ExpectedPhoneGif() {
  TGifBuilder gif;
  gif.Header(StripWidth, FrameRows, 0x77, 0, 0, "GIF89a");
  for (int k = 0; k < 4; ++k) {
    if (k == 0) gif.Looping(0);
    gif.GraphicControl(0, 30, 0);
    gif.Descriptor(0, 0, StripWidth, FrameRows, 0x87);
    gif.ColorTable(CubeThenBlack());
    const TBytes data = LzwEncode(FrameIndices(k), 8);
    // Few enough codes that the string table never fills, where encoders may differ.
    EXPECT_LT(data.size() * 8 / 9, 4000u);
    gif.ImageData(8, data);
  }
  return gif.Trailer().Bytes();
}

TEST(BmxAnimation, FourFramesLoopForeverAtThirtyHundredths) {
  TTempDir dir;
  TBitmap strip;
  strip.LoadFromFile(WritePhoneStrip(dir));
  TGIFImage animation;
  for (int k = 0; k < StripFrameCount; ++k) {
    TBitmap frame = CutStripFrame(strip, k, FrameHeightOf(strip.Height()));
    EXPECT_EQ(AddAnimationFrame(animation, frame), k);
  }
  EXPECT_EQ(animation.Width(), StripWidth);
  EXPECT_EQ(animation.Height(), FrameRows);
  ASSERT_EQ(animation.Frames().Count(), 4);
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(k);
    TGIFSubImage& frame = animation.Frames()[k];
    ASSERT_EQ(frame.ExtList().Count(), k == 0 ? 2 : 1);
    if (k == 0) {
      auto* loop = dynamic_cast<TGIFAppExtNSLoop*>(&frame.ExtList()[0]);
      ASSERT_NE(loop, nullptr) << "the looping extension comes first";
      EXPECT_EQ(loop->LoopCount(), 0);
    }
    auto* control = dynamic_cast<TGIFGraphicControlExtension*>(&frame.ExtList()[k == 0 ? 1 : 0]);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(frame.ControlBlock(), control);
    EXPECT_EQ(control->Delay(), 30);
    EXPECT_EQ(control->Disposal(), 0);
    EXPECT_FALSE(control->Transparent());
    EXPECT_FALSE(frame.IsTransparent());
    const TBytes expected = FrameIndices(k);
    ASSERT_EQ(frame.PixelCount(), static_cast<std::int64_t>(expected.size()));
    EXPECT_EQ(TBytes(frame.Pixels(), frame.Pixels() + frame.PixelCount()), expected);
  }
}

TEST(Bmx2Gif, FailuresPrintTheMessageAndLeaveTheOutputAlone) {
  TTempDir dir;
  const std::string out = dir.File("out.gif");
  const std::vector<std::uint8_t> before = {'o', 'l', 'd'};
  WriteWholeFile(dir.File("notbmp.bmp"), {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0, 0, 0});
  const std::vector<std::pair<std::string, std::string>> cases = {
      {dir.File("missing.bmp"), "Cannot open file " + dir.File("missing.bmp") + "\n"},
      {dir.File("notbmp.bmp"), "Bitmap image is not valid\n"},
  };
  for (const auto& [input, message] : cases) {
    SCOPED_TRACE(input);
    WriteWholeFile(out, before);
    const TRun run = Cli({"bmx2gif", input, out});
    EXPECT_EQ(run.Status, ExitFailed);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "korvane-cli: " + input + ": " + message);
    EXPECT_EQ(ReadWholeFile(out), before);
  }
  EXPECT_EQ(Cli({"bmx2gif", out}).Status, ExitUsage);
}

// Needs the GIF writer.
TEST(Bmx2Gif, PhoneStripGivesTheseExactBytes) {
  TTempDir dir;
  const TRun run = Cli({"bmx2gif", WritePhoneStrip(dir), dir.File("phone.gif")});
  EXPECT_EQ(run.Err, "");
  EXPECT_EQ(run.Out, "");
  ASSERT_EQ(run.Status, ExitOk);
  EXPECT_EQ(ReadWholeFile(dir.File("phone.gif")), ExpectedPhoneGif());
}

// Each bad option: one line naming the option and what it accepts (or the
// unknown option and the usage), exit status 2, nothing read or written.
TEST(Bmx2Gif, BadOptionsPrintOneLineAndWriteNothing) {
  TTempDir dir;
  const std::string strip = WritePhoneStrip(dir);
  const std::string out = dir.File("out.gif");
  struct TCase {
    std::vector<std::string> Options;
    std::string Err;
  };
  const std::string usage =
      "usage: korvane-cli bmx2gif [--delay N] [--loop N] [--palette cube|compact] [--optimise] IN.bmp OUT.gif\n";
  const std::vector<TCase> cases{
      {{"--delay", "fast"}, "bad value \"fast\" for --delay: it accepts 0..65535\n"},
      {{"--delay=65536"}, "bad value \"65536\" for --delay: it accepts 0..65535\n"},
      {{"--loop", "-1"}, "bad value \"-1\" for --loop: it accepts 0..65535\n"},
      {{"--loop=2x"}, "bad value \"2x\" for --loop: it accepts 0..65535\n"},
      {{"--palette", "octree"}, "bad value \"octree\" for --palette: it accepts cube|compact\n"},
      {{"--optimise=yes"}, "bad value \"yes\" for --optimise: it accepts on|off\n"},
      {{"--dither", "floyd"}, "unknown option --dither\n" + usage},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Options.front());
    WriteWholeFile(out, {'o', 'l', 'd'});
    std::vector<std::string> args{"bmx2gif"};
    args.insert(args.end(), c.Options.begin(), c.Options.end());
    args.insert(args.end(), {strip, out});
    const TRun run = Cli(args);
    EXPECT_EQ(run.Status, ExitUsage);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, c.Err);
    EXPECT_EQ(ReadWholeFile(out), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
  }
  const TRun trailing = Cli({"bmx2gif", strip, out, "--delay"});
  EXPECT_EQ(trailing.Status, ExitUsage);
  EXPECT_EQ(trailing.Err, "bad value \"\" for --delay: it accepts 0..65535\n");
}

// The defaults given by name write the default animation's bytes.
TEST(Bmx2Gif, DefaultsGivenByNameGiveTheSameBytes) {
  TTempDir dir;
  const TRun run = Cli({"bmx2gif", "--delay", "30", "--loop=0", "--palette", "cube", "--optimise=off",
                        WritePhoneStrip(dir), dir.File("phone.gif")});
  ASSERT_EQ(run.Status, ExitOk) << run.Err;
  EXPECT_EQ(ReadWholeFile(dir.File("phone.gif")), ExpectedPhoneGif());
}

#ifdef KORVANE_HAS_GIFLIB
// Needs the GIF writer.
TEST(Bmx2Gif, GiflibReadsFourLoopingFramesOfTheStripsColours) {
  TTempDir dir;
  ASSERT_EQ(Cli({"bmx2gif", WritePhoneStrip(dir), dir.File("phone.gif")}).Status, ExitOk);
  const TOracleGif gif = GiflibDecode(ReadWholeFile(dir.File("phone.gif")));
  EXPECT_EQ(gif.Width, StripWidth);
  EXPECT_EQ(gif.Height, FrameRows);
  EXPECT_EQ(gif.LoopCount, 0);
  ASSERT_EQ(gif.Frames.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(k);
    const TOracleFrame& frame = gif.Frames[static_cast<std::size_t>(k)];
    EXPECT_EQ(frame.Width, StripWidth);
    EXPECT_EQ(frame.Height, FrameRows);
    EXPECT_EQ(frame.Delay, 30);
    EXPECT_EQ(frame.TransparentIndex, -1);
    for (int y = 0; y < FrameRows; ++y)
      for (int x = 0; x < StripWidth; ++x) {
        const std::uint32_t color = frame.LocalColors[frame.Indices[static_cast<std::size_t>(y * StripWidth + x)]];
        ASSERT_EQ(color, StripBlack(x, k * FrameRows + y) ? 0x000000u : 0xFFFFFFu) << x << "," << y;
      }
  }
}
#endif

// Runs the built program; its exit status.
int RunProgram(const std::vector<std::string>& args) {
  std::string command = std::string("'") + KORVANE_CLI + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const int status = std::system((command + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Needs the GIF writer and gif2bmx.
TEST(Bmx2Gif, Gif2BmxGivesTheStripBackByteForByte) {
  TTempDir dir;
  const std::string strip = WritePhoneStrip(dir);
  ASSERT_EQ(RunProgram({"bmx2gif", strip, dir.File("phone.gif")}), ExitOk);
  ASSERT_EQ(RunProgram({"gif2bmx", dir.File("phone.gif"), dir.File("back.bmx")}), ExitOk);
  EXPECT_EQ(ReadWholeFile(dir.File("back.bmx")), ReadWholeFile(strip));
}

}  // namespace
