// Frame slots that do not make one picture sequence: an empty slot or slots of
// different sizes are written whole by every choice, an empty slot as an
// empty frame, and the document still saves.
#include <gtest/gtest.h>

#include "MemoryStream.h"
#include "StripToGif.h"

namespace {

// A black-and-white picture in the bitmap; width 0 leaves it empty.
void DrawBlackAndWhite(TBitmap& bitmap, int width, int height, int seed) {
  if (width == 0) return;
  TPixelImage image(width, height, 1, {{0, 0, 0, 0}, {255, 255, 255, 0}});
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixel(x, y, (x * y + seed) % 5 == 0 ? clBlack : clWhite);
  bitmap.SetImage(std::move(image), false);
}

TEST(StripToGif, SlotsThatAreNoSequenceAreWrittenWholeByEveryChoice) {
  struct TSlots {
    const char* Name;
    std::array<int, 4> Widths;  // 0: an empty slot
  };
  const std::array<TSlots, 2> slotCases{{{"an empty slot", {101, 0, 101, 101}}, {"two sizes", {101, 72, 101, 72}}}};
  const std::array<AnimationOptions, 3> choices{{{.Palette = GifPalette::Compact},
                                                  {.Palette = GifPalette::Compact, .Optimise = true},
                                                  {.Optimise = true}}};
  for (const TSlots& slots : slotCases)
    for (const AnimationOptions& options : choices) {
      SCOPED_TRACE(std::string(slots.Name) + (options.Optimise ? " optimised" : "") +
                   (options.Palette == GifPalette::Compact ? " compact" : ""));
      std::array<TBitmap, 4> frames;
      for (std::size_t k = 0; k < 4; ++k) DrawBlackAndWhite(frames[k], slots.Widths[k], 64, static_cast<int>(k));
      TGIFImage animation;
      StripToGif(animation, {&frames[0], &frames[1], &frames[2], &frames[3]}, options);
      ASSERT_EQ(animation.Frames().Count(), 4);
      for (int k = 0; k < 4; ++k) {
        const TGIFSubImage& frame = animation.Frames()[k];
        EXPECT_EQ(frame.Empty(), slots.Widths[static_cast<std::size_t>(k)] == 0) << k;
        EXPECT_EQ(frame.Width(), slots.Widths[static_cast<std::size_t>(k)]) << k;
        EXPECT_EQ(frame.Left() + frame.Top(), 0) << k;
        ASSERT_NE(frame.ControlBlock(), nullptr);
        EXPECT_EQ(frame.ControlBlock()->Delay(), 30);
      }
      EXPECT_EQ(animation.GlobalColorMap().Count(), options.Palette == GifPalette::Compact ? 2 : 0);
      TMemoryStream stream;
      animation.SaveToStream(stream);
      EXPECT_GT(stream.Bytes().size(), 0u);
    }
}

}  // namespace
