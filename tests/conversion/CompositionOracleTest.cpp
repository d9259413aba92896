// Frames as the animation shows them, against ImageMagick's -coalesce: GIFs
// written by ImageMagick and by gifsicle (optimised with transparency, each
// disposal, frames reaching outside the screen) are made in the test's own
// folder; every band of the strip must equal the coalesced frame, its
// transparent parts white, made black and white by the same rule.
#include <gtest/gtest.h>

#include <filesystem>

#include "BlackAndWhite.h"
#include "GifToStrip.h"
#include "ImageOracle.h"
#include "OptionNames.h"
#include "Programs.h"

namespace {

const TFoundProgram& Gifsicle() {
  static const TFoundProgram found = FindProgram(TProgramClaim{"gifsicle", {"gifsicle"}, {"--version"}, "Gifsicle "});
  return found;
}

// A GIF made by ImageMagick's convert (Magick arguments, then the file), and
// optionally rewritten by gifsicle (its arguments, IN standing for the input,
// then the output).
struct TOracleGifCase {
  std::string Name;
  std::vector<std::string> Magick;
  std::vector<std::string> Gifsicle;
};

const std::vector<std::string> MovingBall{
    "-size", "40x30", "xc:skyblue", "-fill", "red", "-draw", "circle 8,15 8,8",
    "(", "-size", "40x30", "xc:skyblue", "-fill", "red", "-draw", "circle 16,14 16,7", ")",
    "(", "-size", "40x30", "xc:skyblue", "-fill", "red", "-draw", "circle 24,13 24,6", ")",
    "(", "-size", "40x30", "xc:skyblue", "-fill", "white", "-draw", "rectangle 0,20 39,29", "-fill", "red",
    "-draw", "circle 30,12 30,5", ")",
    "(", "-size", "40x30", "xc:skyblue", "-fill", "navy", "-draw", "circle 33,20 33,14", ")",
    "-loop", "0"};

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const TOracleGifCase Cases[] = {
    {"magick-whole-frames", MovingBall, {}},
    {"magick-optimised", Joined(MovingBall, {"-layers", "optimize"}), {}},
    {"magick-disposals",
     {"-size", "40x30", "xc:yellow", "-dispose", "background", "-page", "+5+5", "-size", "12x10", "xc:red",
      "-dispose", "previous", "-page", "+15+8", "(", "-size", "12x12", "xc:none", "-fill", "purple", "-draw",
      "circle 6,6 6,1", ")", "-dispose", "none", "-page", "+20+12", "-size", "8x8", "xc:green", "-page", "+2+2",
      "-size", "6x6", "xc:black", "-dispose", "background", "-page", "+25+3", "(", "-size", "10x10", "xc:none",
      "-fill", "white", "-draw", "rectangle 2,2 7,7", ")", "-page", "+0+0", "-size", "4x4", "xc:gray", "-loop", "0"},
     {}},
    {"magick-outside",
     {"-dispose", "none", "-size", "40x30", "xc:white", "-fill", "black", "-draw", "line 0,0 39,29", "-page",
      "40x30+30+20", "-size", "20x20", "xc:red", "-page", "40x30+35+0", "-size", "10x10", "xc:blue", "-page",
      "40x30+0+0", "(", "-size", "6x6", "xc:none", "-fill", "green", "-draw", "point 3,3", ")", "-loop", "0"},
     {}},
    {"gifsicle-O2", MovingBall, {"-O2", "IN"}},
    {"gifsicle-background", Joined(MovingBall, {"-layers", "optimize"}), {"--disposal=background", "-O2", "IN"}},
    // Frame 0 keeps its disposal: ImageMagick restores a first frame that
    // restores to the previous picture to the GIF's background colour, where
    // the picture before it is the empty (white) screen.
    {"gifsicle-previous", Joined(MovingBall, {"-layers", "optimize"}), {"IN", "#0", "--disposal=previous", "IN", "#1-"}},
};

// The coalesced frames of a GIF, transparent parts on white.
std::vector<TRgbImage> Coalesced(const std::string& gif, const TTempDir& dir) {
  const std::string pattern = dir.File(std::filesystem::path(gif).stem().string() + "-%d.ppm");
  EXPECT_TRUE(RunOracle({gif, "-coalesce", "-background", "white", "-alpha", "remove", "-depth", "8", pattern}));
  std::vector<TRgbImage> frames;
  for (int k = 0;; ++k) {
    const std::string name = dir.File(std::filesystem::path(gif).stem().string() + "-" + std::to_string(k) + ".ppm");
    if (!std::filesystem::exists(name)) break;
    std::optional<TRgbImage> frame = DecodeWithOracle(name, dir);
    EXPECT_TRUE(frame.has_value()) << name;
    if (frame) frames.push_back(std::move(*frame));
  }
  return frames;
}

std::string MakeGif(const TOracleGifCase& c, const TTempDir& dir) {
  const std::string magick = dir.File(c.Name + "-magick.gif");
  EXPECT_TRUE(RunOracle(Joined(c.Magick, {magick})));
  if (c.Gifsicle.empty()) return magick;
  const std::string gif = dir.File(c.Name + ".gif");
  std::vector<std::string> arguments = c.Gifsicle;
  for (std::string& word : arguments)
    if (word == "IN") word = magick;
  const TProgramRun run = RunProgram(Gifsicle().Path, Joined(arguments, {"-o", gif}));
  EXPECT_TRUE(run.Finished && run.ExitStatus == 0) << run.Errors;
  return gif;
}

// Band k of the strip against the coalesced frame over the part both cover
// (a frame reaching outside the screen grows our document's screen, while
// ImageMagick keeps the screen the file gives).
int WrongPixels(const TBitmap& strip, int k, const TRgbImage& frame, const StripOptions& rule) {
  const int bandHeight = strip.Height() / 4;
  int wrong = 0;
  for (int y = 0; y < std::min(bandHeight, frame.Height); ++y)
    for (int x = 0; x < std::min(strip.Width(), frame.Width); ++x) {
      const bool white = WhiteByPixelRule(frame.Pixels[static_cast<std::size_t>(y * frame.Width + x)], rule);
      if (strip.Image().GetPixel(x, k * bandHeight + y) != (white ? clWhite : clBlack)) ++wrong;
    }
  return wrong;
}

TEST(CompositionOracle, EachBandIsTheCoalescedFrameInBlackAndWhite) {
  if (!OracleAvailable()) GTEST_SKIP() << OracleMissingReason();
  TTempDir dir;
  for (const TOracleGifCase& c : Cases) {
    SCOPED_TRACE(c.Name);
    if (!c.Gifsicle.empty() && !Gifsicle()) {
      std::cout << "skipped " << c.Name << ": " << Gifsicle().Reason << "\n";
      continue;
    }
    const std::string gif = MakeGif(c, dir);
    const std::vector<TRgbImage> frames = Coalesced(gif, dir);
    ASSERT_GE(frames.size(), 4u);
    TGIFImage document;
    document.LoadFile(gif);
    ASSERT_EQ(document.Frames().Count(), static_cast<int>(frames.size()));
    EXPECT_GE(document.Width(), frames[0].Width);
    EXPECT_GE(document.Height(), frames[0].Height);
    const int count = static_cast<int>(frames.size());
    for (const std::string mono : {"exact", "threshold=128"})
      for (int first = 0; first < count; first += 4) {
        StripOptions options;
        ParseMono(mono, options);
        ParseFrames(std::to_string(first) + "," + std::to_string(std::min(first + 1, count - 1)) + "," +
                        std::to_string(std::min(first + 2, count - 1)) + "," + std::to_string(std::min(first + 3, count - 1)),
                    options);
        const StripConversion conversion = GifToStrip(document, options);
        ASSERT_EQ(conversion.Strip->Width(), document.Width());
        ASSERT_EQ(conversion.Strip->Height(), 4 * document.Height());
        for (int k = 0; k < 4; ++k) {
          const int number = conversion.FramesUsed[static_cast<std::size_t>(k)];
          EXPECT_EQ(WrongPixels(*conversion.Strip, k, frames[static_cast<std::size_t>(number)], options), 0)
              << mono << ", frame " << number;
        }
      }
  }
}

}  // namespace
