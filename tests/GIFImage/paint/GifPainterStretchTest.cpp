// An animation in a stretched view, as the Converter's Size Big shows it:
// whatever the frames draw and whatever their disposal clears, the view shows
// after each frame exactly what the view at the animation's own size shows,
// stretched. So a frame that covers where a shape was shown covers every
// screen pixel the shape was shown on, and no row of it is left behind.
#include <gtest/gtest.h>

#include "Canvas.h"
#include "Image.h"
#include "PainterTesting.h"

namespace {

// A 7 x 5 animation in a 16 x 16 view with Stretch and Proportional is shown
// 16 x 11: its pixels become two or three view pixels wide and high, and the
// edges between them fall at fractions below and above one half.
constexpr int ScreenWidth = 7, ScreenHeight = 5;
const TRect ShownArea = Rect(0, 0, 16, 11);

constexpr std::uint8_t Red = 0, White = 3, Black = 5;

// A block of fill with dots of black at the given places (block coordinates).
std::vector<std::uint8_t> Block(int width, int height, std::uint8_t fill, const std::vector<TPoint>& dots) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height), fill);
  for (const TPoint& dot : dots) pixels[static_cast<std::size_t>(dot.Y * width + dot.X)] = Black;
  return pixels;
}

TAnimFrame Frame(const TRect& place, std::vector<std::uint8_t> pixels, int disposal, int transparent = -1) {
  return TAnimFrame{.Delay = 3, .Disposal = disposal, .Place = place, .Transparent = transparent, .Pixels = std::move(pixels)};
}

std::vector<TColor> PixelsIn(const TBitmap& bitmap, const TRect& area) {
  std::vector<TColor> pixels;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) pixels.push_back(bitmap.Image().GetPixel(x, y));
  return pixels;
}

struct TStretchCase {
  const char* Name;
  std::vector<TAnimFrame> Frames;
};

// A black dot moves across a white screen, each frame as small as it can be.
std::vector<TStretchCase> Cases() {
  const TRect whole = Rect(0, 0, ScreenWidth, ScreenHeight);
  const TAnimFrame start = Frame(whole, Block(ScreenWidth, ScreenHeight, White, {{2, 1}, {5, 3}}), 1);
  return {
      {"each frame paints over where the dot was",
       {start, Frame(Rect(1, 1, 4, 2), Block(3, 1, White, {{2, 0}}), 1),
        Frame(Rect(3, 1, 6, 4), Block(3, 3, White, {{1, 2}}), 1),
        Frame(Rect(0, 0, 7, 5), Block(7, 5, White, {{0, 4}}), 1)}},
      {"see-through frames over the dot",
       {start, Frame(Rect(1, 1, 4, 3), Block(3, 2, Red, {{0, 1}}), 1, Red),
        Frame(Rect(2, 0, 6, 4), Block(4, 4, White, {{3, 3}}), 1, Red)}},
      {"the dot disposed to the background",
       {start, Frame(Rect(1, 1, 4, 2), Block(3, 1, Red, {{1, 0}}), 2), Frame(Rect(2, 2, 6, 5), Block(4, 3, Red, {{2, 1}}), 2),
        Frame(Rect(0, 3, 3, 4), Block(3, 1, White, {}), 1)}},
      {"a see-through dot disposed to what lay under it",
       {start, Frame(Rect(1, 1, 4, 3), Block(3, 2, Red, {{2, 1}}), 2, Red),
        Frame(Rect(3, 2, 6, 5), Block(3, 3, Red, {{0, 2}}), 2, Red)}},
      {"the dot disposed to the previous picture",
       {start, Frame(Rect(1, 1, 4, 2), Block(3, 1, Red, {{0, 0}}), 3), Frame(Rect(4, 1, 7, 4), Block(3, 3, Red, {{1, 1}}), 3)}},
  };
}

}  // namespace

class StretchedAnimation : public TPainterTest {
protected:
  // What the view's surface shows after each frame of the animation.
  std::vector<TBitmap> Play(const TGIFImage& animation, TImage& view) {
    view.Picture().Assign(&animation);
    auto* shown = dynamic_cast<TGIFImage*>(view.Picture().Graphic());
    std::vector<TBitmap> screens;
    if (shown == nullptr) {
      ADD_FAILURE() << "the view holds no animation";
      return screens;
    }
    shown->SetOnAfterFrame([&](TGIFPainter&) { screens.push_back(view.Surface()); });
    view.Surface();
    EXPECT_TRUE(Finished(*shown)) << "the animation did not end";
    return screens;
  }
};

TEST_F(StretchedAnimation, ShowsEachFrameExactlyAsTheViewAtItsOwnSizeStretched) {
  for (const TStretchCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    auto animation = Animation(ScreenWidth, ScreenHeight, c.Frames);
    animation->SetDrawFlags(animation->DrawFlags() | DrawOption::PaintDirect);
    TImage own(ScreenWidth, ScreenHeight);
    TImage big(16, 16);
    big.SetStretch(true);
    big.SetProportional(true);
    const std::vector<TBitmap> ownScreens = Play(*animation, own);
    const std::vector<TBitmap> bigScreens = Play(*animation, big);
    ASSERT_EQ(big.DestRect(), ShownArea);
    ASSERT_EQ(ownScreens.size(), c.Frames.size());
    ASSERT_EQ(bigScreens.size(), c.Frames.size());
    for (std::size_t k = 0; k < c.Frames.size(); ++k) {
      TBitmap stretched;
      stretched.SetSize(ShownArea.Width(), ShownArea.Height());
      TBitmap ownScreen = ownScreens[k];
      stretched.Canvas().StretchDraw(ShownArea, &ownScreen);
      EXPECT_EQ(PixelsIn(bigScreens[k], ShownArea), PixelsIn(stretched, ShownArea)) << "after frame " << k;
    }
  }
}
