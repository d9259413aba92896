// The GIF of a strip with the compact palette and the optimised frames,
// against giflib: every frame as shown (the frames before it composed by
// their disposal, transparent pixels keeping what was there) is the frame
// the default animation shows, which is the strip's band in the cube's
// colours; the tables, delays and loop count are as chosen; and the choices
// make the file smaller, never larger.
#include <gtest/gtest.h>

#include <functional>

#include "GiflibOracle.h"
#include "MemoryStream.h"
#include "OptionNames.h"
#include "StripToGif.h"

namespace {

// The colour of pixel (x, y) of frame k.
using TStripPicture = std::function<TColor(int k, int x, int y)>;

struct TStripCase {
  const char* Name;
  int Width, FrameHeight;
  int BitCount;  // of the strip bitmap: 1 black and white, 24 colours
  TStripPicture Picture;
  std::array<int, 4> Changed{};  // left, top, width, height of optimised frames 1 to 3, when known
};

TColor BlackIf(bool black) { return black ? clBlack : clWhite; }

const std::vector<TStripCase>& StripCases() {
  static const std::vector<TStripCase> cases{
      {"box moving in a frame 101x64", 101, 64, 1,
       [](int k, int x, int y) {
         const bool border = x == 0 || x == 100 || y == 0 || y == 63;
         const bool box = x >= 10 + 20 * k && x < 30 + 20 * k && y >= 10 + 8 * k && y < 30 + 8 * k;
         return BlackIf(border || box);
       }},
      {"same picture four times 72x32", 72, 32, 1, [](int, int x, int y) { return BlackIf((x * y) % 7 == 0); },
       {0, 0, 1, 1}},
      {"every pixel inverted each frame 101x46", 101, 46, 1,
       [](int k, int x, int y) { return BlackIf(((x + y) % 3 == 0) != (k % 2 == 1)); }},
      {"one corner pixel changes 16x16", 16, 16, 1,
       [](int k, int x, int y) { return BlackIf(x == 15 && y == 15 ? k % 2 == 1 : (x + 2 * y) % 5 == 0); },
       {15, 15, 1, 1}},
      {"colours with a moving grey bar 16x16", 16, 16, 24,
       [](int k, int x, int y) {
         if (x == 4 * k) return RGB(128, 128, 128);
         return RGB(static_cast<std::uint8_t>(16 * x), static_cast<std::uint8_t>(16 * y), 0x5A);
       }},
  };
  return cases;
}

TBitmap StripBitmap(const TStripCase& c) {
  std::vector<TPaletteEntry> table;
  if (c.BitCount == 1) table = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  TPixelImage image(c.Width, 4 * c.FrameHeight, c.BitCount, table);
  for (int k = 0; k < 4; ++k)
    for (int y = 0; y < c.FrameHeight; ++y)
      for (int x = 0; x < c.Width; ++x) image.SetPixel(x, k * c.FrameHeight + y, c.Picture(k, x, y));
  TBitmap strip;
  strip.SetImage(std::move(image), false);
  return strip;
}

TBytes AnimationBytes(std::array<TBitmap, 4>& frames, const AnimationOptions& options) {
  TGIFImage animation;
  StripToGif(animation, {&frames[0], &frames[1], &frames[2], &frames[3]}, options);
  TMemoryStream stream;
  animation.SaveToStream(stream);
  return stream.Bytes();
}

TBytes StripGif(const TStripCase& c, const AnimationOptions& options) {
  const TBitmap strip = StripBitmap(c);
  std::array<TBitmap, 4> frames = CutStrip(strip);
  return AnimationBytes(frames, options);
}

// The screen after each frame, as a viewer shows it: 0xRRGGBB, or -1 where
// nothing was drawn yet.
using TScreen = std::vector<std::int64_t>;

std::vector<TScreen> ShownFrames(const TOracleGif& gif) {
  std::vector<TScreen> shown;
  TScreen screen(static_cast<std::size_t>(gif.Width) * gif.Height, -1);
  for (const TOracleFrame& frame : gif.Frames) {
    const std::vector<std::uint32_t>& table = frame.LocalColors.empty() ? gif.GlobalColors : frame.LocalColors;
    const TScreen before = screen;
    for (int y = 0; y < frame.Height; ++y)
      for (int x = 0; x < frame.Width; ++x) {
        const int index = frame.Indices[static_cast<std::size_t>(y) * frame.Width + x];
        if (index == frame.TransparentIndex) continue;
        screen[static_cast<std::size_t>(frame.Top + y) * gif.Width + frame.Left + x] =
            index < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(index)] : -2;
      }
    shown.push_back(screen);
    if (frame.Disposal == 3) screen = before;
    if (frame.Disposal == 2)
      for (int y = 0; y < frame.Height; ++y)
        for (int x = 0; x < frame.Width; ++x) screen[static_cast<std::size_t>(frame.Top + y) * gif.Width + frame.Left + x] = -1;
  }
  return shown;
}

// Options from words such as "palette=compact", by the option table.
AnimationOptions AnimationOptionsOf(const std::vector<std::string>& words) {
  AnimationOptions options;
  for (const std::string& word : words) {
    const std::size_t equals = word.find('=');
    FindAnimationOption(word.substr(0, equals))->Parse(word.substr(equals + 1), options);
  }
  return options;
}

struct TChoiceCase {
  std::vector<std::string> Words;
  bool Compact;
};

const std::vector<TChoiceCase> ChoiceCases{
    {{"palette=compact"}, true},
    {{"palette=compact", "optimise=on"}, true},
    {{"palette=cube", "optimise=on"}, false},
    {{"palette=compact", "optimise=on", "delay=7", "loop=3"}, true},
};

// Also: the compact table is smaller than the cube's (two entries for black
// and white), optimising never makes the file larger, and optimised frames
// after the first hold only the rectangle that changed (one pixel when
// nothing did).
TEST(StripToGifGiflib, EveryFrameAsShownIsTheDefaultAnimationsFrame) {
  for (const TStripCase& strip : StripCases()) {
    const TBytes plainFile = StripGif(strip, {});
    const TBytes compactFile = StripGif(strip, AnimationOptionsOf({"palette=compact"}));
    EXPECT_LT(compactFile.size(), plainFile.size());
    const std::vector<TScreen> expected = ShownFrames(GiflibDecode(plainFile));
    for (const TChoiceCase& choice : ChoiceCases) {
      const AnimationOptions options = AnimationOptionsOf(choice.Words);
      SCOPED_TRACE(std::string(strip.Name) + " with " + choice.Words.front() + (options.Optimise ? " optimised" : ""));
      const TBytes file = StripGif(strip, options);
      const TOracleGif gif = GiflibDecode(file);
      EXPECT_EQ(gif.Width, strip.Width);
      EXPECT_EQ(gif.Height, strip.FrameHeight);
      EXPECT_EQ(gif.LoopCount, options.LoopCount);
      ASSERT_EQ(gif.Frames.size(), 4u);
      for (std::size_t k = 0; k < 4; ++k) {
        const TOracleFrame& frame = gif.Frames[k];
        EXPECT_EQ(frame.Delay, options.Delay);
        EXPECT_EQ(frame.LocalColors.empty(), choice.Compact) << "a compact animation has only the global table";
        if (options.Optimise) {
          EXPECT_EQ(frame.Disposal, 1) << "left in place for the next frame";
        }
        const std::array<int, 4> place{frame.Left, frame.Top, frame.Width, frame.Height};
        if (options.Optimise && k > 0 && strip.Changed[2] > 0) {
          EXPECT_EQ(place, strip.Changed) << "the area that changed";
        }
        if (k == 0 || !options.Optimise) {
          EXPECT_EQ(place, (std::array<int, 4>{0, 0, strip.Width, strip.FrameHeight}));
        }
      }
      EXPECT_EQ(gif.GlobalColors.empty(), !choice.Compact);
      if (choice.Compact && !options.Optimise && strip.BitCount == 1) {
        EXPECT_EQ(gif.GlobalColors.size(), 2u);
      }
      if (choice.Compact && options.Optimise) {
        EXPECT_LE(file.size(), compactFile.size());
      }
      const std::vector<TScreen> shown = ShownFrames(gif);
      for (std::size_t k = 0; k < 4; ++k) EXPECT_TRUE(shown[k] == expected[k]) << "frame " << k << " as shown";
    }
  }
}

// Four 8-bit pictures of 100 colours each, no colour shared: more than one
// table can hold, so each frame keeps the smallest table of its own colours.
TEST(StripToGifGiflib, FramesOfMoreThan256ColoursTogetherKeepTablesOfTheirOwn) {
  std::array<TBitmap, 4> frames;
  for (int k = 0; k < 4; ++k) {
    std::vector<TPaletteEntry> table;
    for (int i = 0; i < 100; ++i)
      table.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(50 * k), 7, 0});
    TPixelImage image(20, 10, 8, table);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 20; ++x) image.SetRaw(x, y, static_cast<std::uint32_t>((x + 20 * y + k) % 100));
    frames[static_cast<std::size_t>(k)].SetImage(std::move(image), false);
  }
  const TOracleGif plain = GiflibDecode(AnimationBytes(frames, {}));
  for (const bool optimise : {false, true}) {
    SCOPED_TRACE(optimise);
    const TOracleGif gif =
        GiflibDecode(AnimationBytes(frames, AnimationOptions{.Palette = GifPalette::Compact, .Optimise = optimise}));
    EXPECT_TRUE(gif.GlobalColors.empty());
    ASSERT_EQ(gif.Frames.size(), 4u);
    for (const TOracleFrame& frame : gif.Frames) EXPECT_EQ(frame.LocalColors.size(), 128u);
    EXPECT_TRUE(ShownFrames(gif) == ShownFrames(plain));
  }
}

}  // namespace
