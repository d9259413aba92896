// A GIF of several frames in the Converter's input view: it plays there
// through the real painter thread and the event loop's hand-over, Stop Anim
// shows its still picture, StartAnim plays it again, and closing the window
// (also while a frame is waiting to be painted) or replacing the GIF ends the
// animation cleanly.
#include <chrono>
#include <memory>
#include <thread>

#include <QTest>

#include "AppTesting.h"
#include "GIFImage.h"
#include "GifBuilder.h"
#include "MemoryStream.h"

namespace {

// 16 x 16 frames of one colour each, frame i of colour index i modulo the
// colour count unless indices says otherwise, with the delays.
TBytes SolidFrames(const std::vector<std::uint32_t>& colours, const std::vector<int>& delays,
                   const std::vector<int>& indices = {}) {
  TGifBuilder gif;
  gif.Header(16, 16, 0x81).ColorTable(colours);
  for (std::size_t i = 0; i < delays.size(); ++i) {
    const std::size_t index = i < indices.size() ? static_cast<std::size_t>(indices[i]) : i % colours.size();
    gif.GraphicControl(0, static_cast<std::uint16_t>(delays[i]), 0).Image(16, 16, TBytes(256, static_cast<std::uint8_t>(index)), 2);
  }
  return gif.Trailer().Bytes();
}

std::unique_ptr<TGIFImage> SolidAnimation(const std::vector<std::uint32_t>& colours, const std::vector<int>& delays) {
  TMemoryStream stream(SolidFrames(colours, delays));
  auto document = std::make_unique<TGIFImage>();
  document->LoadFromStream(stream);
  return document;
}

const std::vector<std::uint32_t> Colours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
const TColor Red = RGB(0xFF, 0, 0), Green = RGB(0, 0xFF, 0), Blue = RGB(0, 0, 0xFF);

class ConverterAnimation : public TAppTest {
protected:
  // The GIF as Open leaves it: held by the window, a copy shown in the input view.
  void ShowGif(std::unique_ptr<TGIFImage> document) {
    document->SetDrawFlags(document->DrawFlags() | DrawOption::PaintDirect);
    Converter.Document().InputGif = std::move(document);
    Converter.Image(1).Picture().Assign(Converter.Document().InputGif.get());
  }
  TColor InputPixel() { return Converter.Image(1).Surface().Image().GetPixel(5, 5); }
  ::testing::AssertionResult ShowsSoon(TColor colour) {
    return WaitUntil([&] { return InputPixel() == colour; }, "the input view to show the colour " + std::to_string(colour));
  }
};

}  // namespace

TEST_F(ConverterAnimation, TheInputPlaysStopAnimShowsTheStillPictureAndStartAnimPlaysFromTheStart) {
  // Frame 0 for a quarter second, then frame 1 for several seconds.
  ShowGif(SolidAnimation(Colours, {20, 500, 500, 500}));
  ASSERT_TRUE(ShowsSoon(Green));
  Trigger(Converter, "Eins1");
  EXPECT_NE(dynamic_cast<TBitmap*>(Converter.Image(1).Picture().Graphic()), nullptr);
  EXPECT_EQ(InputPixel(), Red) << "the still picture is frame 0";
  EXPECT_FALSE(QTest::qWaitFor([&] { return InputPixel() != Red; }, 400)) << "nothing animates any more";
  Trigger(Converter, "Zwei1");
  auto* shown = dynamic_cast<TGIFImage*>(Converter.Image(1).Picture().Graphic());
  ASSERT_NE(shown, nullptr);
  InputPixel();
  EXPECT_NE(shown->ViewPainter(), nullptr) << "a new painter, from frame 0";
  EXPECT_TRUE(ShowsSoon(Green));
  EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(ConverterAnimation, SizeBigShowsTheGifScaledToTheViewAndStillAnimating) {
  ShowGif(SolidAnimation(Colours, {20, 500, 500, 500}));
  Converter.Document().SourceKind = SKindGifFile;
  Trigger(Converter, "SizeBig1");
  EXPECT_EQ(Converter.Image(1).DestRect(), (TRect{0, 0, 121, 121}));
  EXPECT_TRUE(WaitUntil([&] { return Converter.Image(1).Surface().Image().GetPixel(120, 120) == Green; },
                        "frame 1 at the far corner of the big view"));
}

TEST_F(ConverterAnimation, ReplacingTheAnimatedGifPlaysTheNewOne) {
  ShowGif(SolidAnimation(Colours, {3, 500, 500, 500}));
  ASSERT_TRUE(ShowsSoon(Green));
  ShowGif(SolidAnimation({0x0000FF, 0xFF0000, 0x00FF00, 0xFFFF00}, {3, 500, 500, 500}));
  EXPECT_TRUE(ShowsSoon(Red)) << "the second GIF's frame 1";
  EXPECT_EQ(InputPixel(), Red);
}

// Opened after an opaque animation, a GIF that is see-through but for one
// blue pixel and restores to what lay under it shows white around that pixel:
// nothing of the green of the first GIF.
TEST_F(ConverterAnimation, AnOpenedGifShowsNothingOfTheGifBeforeIt) {
  const std::string opaque = Temp.File("opaque.gif");
  WriteWholeFile(opaque, SolidFrames(Colours, {3, 500, 500, 500}));
  TGifBuilder seeThrough;
  seeThrough.Header(16, 16, 0x81).ColorTable(Colours);
  TBytes pixels(256, 3);
  pixels[0] = 2;
  for (int frame = 0; frame < 4; ++frame)  // the strip takes four
    seeThrough.GraphicControl(2 << 2 | 1, 500, 3).Image(16, 16, pixels, 2);
  const std::string dot = Temp.File("dot.gif");
  WriteWholeFile(dot, seeThrough.Trailer().Bytes());

  OpenInConverter(opaque);
  ASSERT_TRUE(ShowsSoon(Green));
  OpenInConverter(dot);
  ASSERT_TRUE(WaitUntil([&] { return Converter.Image(1).Surface().Image().GetPixel(0, 0) == Blue; },
                        "the blue pixel of the second GIF"));
  EXPECT_EQ(InputPixel(), clWhite);
  EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(ConverterAnimation, AnOpenedGifPlaysItsFramesBeyondTheStripToo) {
  // Open decodes frames 0 to 3 (red, green, blue, red); frame 4, the only
  // yellow one, is decoded when the animation first shows it.
  const std::string fileName = Temp.File("five.gif");
  WriteWholeFile(fileName, SolidFrames(Colours, {2, 2, 2, 2, 500}, {0, 1, 2, 0, 3}));
  OpenInConverter(fileName);
  EXPECT_TRUE(ShowsSoon(RGB(0xFF, 0xFF, 0)));
  EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(ConverterAnimation, ClosingTheWindowWhileAGifAnimatesEndsCleanly) {
  ShowGif(SolidAnimation(Colours, {3, 3, 3, 3}));
  ASSERT_TRUE(ShowsSoon(Green));
  Converter.close();
  EXPECT_EQ(Converter.Image(1).Picture().Graphic(), nullptr);
  EXPECT_EQ(Converter.Document().InputGif, nullptr);
  QTest::qWait(50);
}

TEST_F(ConverterAnimation, QuittingWhileAFrameWaitsForTheEventLoopEndsCleanly) {
  ShowGif(SolidAnimation(Colours, {3, 3, 3, 3}));
  // Starts the painter; its first frame waits for the event loop, which does
  // not run before the window closes.
  EXPECT_NE(InputPixel(), Red) << "frame 0 not painted yet";
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  Converter.close();
  EXPECT_EQ(Converter.Image(1).Picture().Graphic(), nullptr);
  QTest::qWait(50);
}
