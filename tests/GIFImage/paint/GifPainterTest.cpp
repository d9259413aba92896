// The animation painter driven by a fake clock: how long it waits before each
// frame, how often it plays, what disposal leaves on the screen, and how it
// stops: at once during a long delay, when its document or canvas goes, from
// a thread that cannot run its hand-overs, and after an error.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "Canvas.h"
#include "Exception.h"
#include "Image.h"
#include "PainterTesting.h"

namespace {

constexpr std::uint16_t Threaded = DrawOption::Threaded | DrawOption::Animated | DrawOption::Looping;
constexpr std::uint16_t Unthreaded = DrawOption::Animated | DrawOption::Looping;

TBitmap Screen(int width, int height) {
  TBitmap bitmap;
  bitmap.SetSize(width, height);
  return bitmap;
}

std::vector<TColor> Row(TCanvas& canvas, int width) {
  std::vector<TColor> row;
  for (int x = 0; x < width; ++x) row.push_back(canvas.PixelColor(x, 0));
  return row;
}

int Sum(const std::vector<int>& values) {
  int sum = 0;
  for (int value : values) sum += value;
  return sum;
}

}  // namespace

TEST_F(TPainterTest, ThreadedWaitsFollowTheDelayAtTheSpeedWithoutWaitingForTheFirstFrame) {
  struct TCase {
    const char* Name;
    int Delay;
    int Speed;
    int Wait;
  };
  const TCase cases[] = {
      {"no control block", -1, 100, 120}, {"delay 0", 0, 100, 120},        {"delay 1", 1, 100, 36},
      {"delay 2", 2, 100, 36},            {"delay 30", 30, 100, 360},      {"delay 5000", 5000, 100, 60000},
      {"speed 200", 30, 200, 180},        {"speed 50", 30, 50, 720},       {"speed 300 rounds", 1, 300, 12},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeThreadServices services;
    SetPainterServices(&services);
    auto document = Animation(2, 1, Frames(2, c.Delay));
    document->SetSpeedPercent(c.Speed);
    TBitmap screen = Screen(2, 1);
    if (const TGIFDocumentOwnedPainter painter = document->CreatePainter(screen.Canvas(), Threaded, Rect(0, 0, 2, 1)))
      painter->BeginPainting();
    ASSERT_TRUE(services.ServiceUntil([&] { return document->Painters().Count() == 0; }));
    EXPECT_EQ(services.Waits(), std::vector<int>{c.Wait});
    EXPECT_EQ(screen.Canvas().PixelColor(0, 0), Entry(1));
  }
}

TEST_F(TPainterTest, HalfOfWhatAFrameTookBeyondItsWaitComesOffTheNextWait) {
  auto document = Animation(2, 1, Frames(3, 30));
  document->SetOnBeforeFrame([this](TGIFPainter&) { Services.Advance(40); });
  TBitmap screen = Screen(2, 1);
  Play(*document, screen.Canvas(), Threaded, Rect(0, 0, 2, 1));
  EXPECT_EQ(Services.Waits(), (std::vector<int>{360 - 20, 360 - 20}));
}

TEST_F(TPainterTest, UnthreadedPainterSleepsInSlicesAndCapsLongDelays) {
  struct TCase {
    const char* Name;
    int Delay;
    int Speed;
    int Slept;
  };
  // Its first frame waits one unit too.
  const TCase cases[] = {
      {"delay 30", 30, 100, 12 + 360},
      {"delay 5000 capped at 1000 units", 5000, 100, 12 + 12000},
      {"speed 0 waits the longest delay", 30, 0, 12000 + 12000},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeThreadServices services;
    SetPainterServices(&services);
    auto document = Animation(2, 1, Frames(2, c.Delay));
    document->SetSpeedPercent(c.Speed);
    TBitmap screen = Screen(2, 1);
    EXPECT_FALSE(document->CreatePainter(screen.Canvas(), Unthreaded, Rect(0, 0, 2, 1)));
    EXPECT_EQ(Sum(services.Sleeps()), c.Slept);
    for (int slice : services.Sleeps()) EXPECT_LE(slice, 100);
    EXPECT_TRUE(services.Waits().empty());
    EXPECT_EQ(document->Painters().Count(), 0);
    EXPECT_EQ(screen.Canvas().PixelColor(0, 0), Entry(1));
  }
}

TEST_F(TPainterTest, SpeedZeroShowsTheFirstFrameUntilStoppedAndNegativeSpeedNeverWaits) {
  auto paused = Animation(2, 1, Frames(3, 30));
  paused->SetSpeedPercent(0);
  RecordFrames(*paused);
  TBitmap screen = Screen(2, 1);
  paused->CreatePainter(screen.Canvas(), Threaded, Rect(0, 0, 2, 1))->BeginPainting();
  ASSERT_TRUE(Services.ServiceUntilWaiting());
  paused->StopAllPainters();
  EXPECT_EQ(Shown, std::vector<int>{0});
  EXPECT_EQ(Services.Waits(), std::vector<int>{InfiniteWait});

  Shown.clear();
  TFakeThreadServices unpaused;
  SetPainterServices(&unpaused);
  auto racing = Animation(2, 1, Frames(3, 30));
  racing->SetSpeedPercent(-1);
  Play(*racing, screen.Canvas(), Threaded, Rect(0, 0, 2, 1));
  EXPECT_EQ(Shown, (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(unpaused.Waits().empty());
  EXPECT_EQ(unpaused.EventsMade(), 0);
}

TEST_F(TPainterTest, LoopCountsDecideThePassesAndWhereLaterPassesStart) {
  struct TCase {
    const char* Name;
    int Frames;
    int LoopFrame;  // -1: no looping extension
    int LoopCount;
    std::uint16_t Options;
    std::size_t StopAfter;  // 0: plays to its end
    std::vector<int> Shown;
  };
  const TCase cases[] = {
      {"no looping extension plays once", 3, -1, 0, Threaded, 0, {0, 1, 2}},
      {"count 3 gives three passes", 2, 0, 3, Threaded, 0, {0, 1, 0, 1, 0, 1}},
      {"later passes start at the looping frame", 4, 2, 2, Threaded, 0, {0, 1, 2, 3, 2, 3}},
      {"count 0 is endless when threaded", 3, 0, 0, Threaded, 7, {0, 1, 2, 0, 1, 2, 0}},
      {"EndlessLoop ignores the count", 2, 0, 2, Threaded | DrawOption::EndlessLoop, 5, {0, 1, 0, 1, 0}},
      {"without Looping one pass", 2, 0, 3, Threaded & ~DrawOption::Looping, 0, {0, 1}},
      {"without Animated one frame", 3, 0, 3, DrawOption::Threaded | DrawOption::Looping, 0, {0}},
      {"count 0 plays once when not threaded", 2, 0, 0, Unthreaded, 0, {0, 1}},
      {"count 2 when not threaded", 2, 0, 2, Unthreaded, 0, {0, 1, 0, 1}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<TAnimFrame> frames = Frames(c.Frames, 3);
    if (c.LoopFrame >= 0) frames[static_cast<std::size_t>(c.LoopFrame)].LoopCount = c.LoopCount;
    auto document = Animation(2, 1, frames);
    Shown.clear();
    document->SetOnAfterFrame([&](TGIFPainter& painter) {
      Shown.push_back(painter.ActiveFrame());
      if (Shown.size() == c.StopAfter) painter.RequestStop();
    });
    TBitmap screen = Screen(2, 1);
    if (const TGIFDocumentOwnedPainter painter = document->CreatePainter(screen.Canvas(), c.Options, Rect(0, 0, 2, 1)))
      painter->BeginPainting();
    ASSERT_TRUE(Finished(*document));
    EXPECT_EQ(Shown, c.Shown);
  }
}

TEST_F(TPainterTest, AnEmptyFrameEndsEachPassThere) {
  std::vector<TAnimFrame> frames = Frames(3, 3);
  frames[0].LoopCount = 2;
  frames[1].Empty = true;
  auto document = Animation(2, 1, frames);
  ASSERT_TRUE(document->Frames()[1].Empty());
  TBitmap screen = Screen(2, 1);
  Play(*document, screen.Canvas(), Threaded, Rect(0, 0, 2, 1));
  EXPECT_EQ(Shown, (std::vector<int>{0, 0}));
}

TEST_F(TPainterTest, AnEndlessAnimationWhoseFirstFrameIsEmptyEndsInsteadOfSpinning) {
  std::vector<TAnimFrame> frames = Frames(3, 3);
  frames[0].Empty = true;
  auto document = Animation(2, 1, frames);
  TBitmap screen = Screen(2, 1);
  Play(*document, screen.Canvas(), Threaded | DrawOption::EndlessLoop, Rect(0, 0, 2, 1));
  EXPECT_TRUE(Shown.empty());
}

// Four frames on a 4 x 1 screen: red all over, green on the left half
// disposed to background, blue on the last pixel restoring the previous
// state, then white there. What the screen shows after each frame.
TEST_F(TPainterTest, DisposalIsComposedOffScreen) {
  const TColor r = Entry(0), g = Entry(1), b = Entry(2), w = Entry(3), bg = Entry(BackgroundEntry);
  struct TCase {
    const char* Name;
    int SecondDisposal;
    std::vector<std::vector<TColor>> Rows;
  };
  const TCase cases[] = {
      {"background then previous", 2, {{r, r, r, r}, {g, g, r, r}, {bg, bg, r, b}, {bg, bg, r, w}}},
      {"previous after a reserved method paints like none", 6, {{r, r, r, r}, {g, g, r, r}, {g, g, r, b}, {g, g, r, w}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto document = Animation(4, 1,
                              {{.Index = 0, .Delay = 3, .Disposal = 1},
                               {.Index = 1, .Delay = 3, .Disposal = c.SecondDisposal, .Place = Rect(0, 0, 2, 1)},
                               {.Index = 2, .Delay = 3, .Disposal = 3, .Place = Rect(3, 0, 4, 1)},
                               {.Index = 3, .Delay = 3, .Disposal = 1, .Place = Rect(3, 0, 4, 1)}});
    TBitmap screen = Screen(4, 1);
    std::vector<std::vector<TColor>> rows;
    document->SetOnAfterFrame([&](TGIFPainter&) { rows.push_back(Row(screen.Canvas(), 4)); });
    if (const TGIFDocumentOwnedPainter painter = document->CreatePainter(screen.Canvas(), Threaded, Rect(0, 0, 4, 1)))
      painter->BeginPainting();
    ASSERT_TRUE(Finished(*document));
    EXPECT_EQ(rows, c.Rows);
  }
}

// A 2 x 2 screen tiled twice across a 4 x 2 canvas of yellow: red all over,
// green on the top-left pixel disposed to background, blue on the
// bottom-right pixel. Opaque frames clear every tile to the background
// colour, transparent ones to what the canvas showed before.
TEST_F(TPainterTest, TiledFramesClearEveryTile) {
  const TColor r = Entry(0), g = Entry(1), b = Entry(2), y = Entry(6), bg = Entry(BackgroundEntry);
  struct TCase {
    const char* Name;
    std::uint16_t Options;
    std::vector<std::vector<TColor>> Screens;
  };
  const std::uint16_t tiled = Threaded | DrawOption::Tiled;
  const TCase cases[] = {
      {"opaque", tiled, {{r, r, r, r, r, r, r, r}, {g, r, g, r, r, r, r, r}, {bg, r, bg, r, r, b, r, b}}},
      {"transparent", tiled | DrawOption::Transparent,
       {{r, r, r, r, r, r, r, r}, {g, r, g, r, r, r, r, r}, {y, r, y, r, r, b, r, b}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto document = Animation(2, 2,
                              {{.Index = 0, .Delay = 3, .Disposal = 1},
                               {.Index = 1, .Delay = 3, .Disposal = 2, .Place = Rect(0, 0, 1, 1)},
                               {.Index = 2, .Delay = 3, .Disposal = 1, .Place = Rect(1, 1, 2, 2)}});
    TBitmap screen = Screen(4, 2);
    screen.Canvas().Brush.Color = y;
    screen.Canvas().FillRect(Rect(0, 0, 4, 2));
    std::vector<std::vector<TColor>> screens;
    document->SetOnAfterFrame([&](TGIFPainter&) {
      std::vector<TColor> shown;
      for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 4; ++x) shown.push_back(screen.Canvas().PixelColor(x, row));
      screens.push_back(shown);
    });
    if (const TGIFDocumentOwnedPainter painter = document->CreatePainter(screen.Canvas(), c.Options, Rect(0, 0, 4, 2)))
      painter->BeginPainting();
    ASSERT_TRUE(Finished(*document));
    EXPECT_EQ(screens, c.Screens);
  }
}

TEST_F(TPainterTest, FramesThatKeepTheirPictureNeedNoBuffers) {
  auto document = Animation(2, 1, Frames(3, 3, 1));
  TBitmap screen = Screen(2, 1);
  document->SetOnAfterFrame([](TGIFPainter& painter) { EXPECT_EQ(painter.CompositionBuffer(), nullptr); });
  Play(*document, screen.Canvas(), Threaded, Rect(0, 0, 2, 1));
  auto cleared = Animation(2, 1, Frames(3, 3, 1));
  cleared->SetOnAfterFrame([](TGIFPainter& painter) {
    EXPECT_NE(painter.CompositionBuffer(), nullptr);
    EXPECT_NE(painter.BackgroundSnapshot(), nullptr) << "transparent frames clear to what lay under them";
  });
  Play(*cleared, screen.Canvas(), Threaded | DrawOption::ClearEachPass | DrawOption::Transparent, Rect(0, 0, 2, 1));
}

TEST_F(TPainterTest, AStopDuringALongDelayReturnsAtOnce) {
  auto document = Animation(2, 1, Frames(2, 5000));
  RecordFrames(*document);
  Services.HoldWaits = true;
  TBitmap screen = Screen(2, 1);
  document->CreatePainter(screen.Canvas(), Threaded, Rect(0, 0, 2, 1))->BeginPainting();
  ASSERT_TRUE(Services.ServiceUntilWaiting());
  document->StopAllPainters();
  EXPECT_EQ(document->Painters().Count(), 0);
  EXPECT_EQ(Services.Waits(), std::vector<int>{60000});
  EXPECT_EQ(Services.WaitsCutShort(), 1);
  EXPECT_EQ(Services.WaitsTimedOutForReal(), 0);
  EXPECT_EQ(Shown, std::vector<int>{0});
}

TEST_F(TPainterTest, DrawingTheSamePlaceAgainKeepsTheAnimationAndAnotherPlaceStartsANewOne) {
  auto document = Animation(2, 1, Frames(2, 30));
  document->SetDrawFlags(document->DrawFlags() | DrawOption::PaintDirect);
  Services.HoldWaits = true;
  TBitmap screen = Screen(4, 2);
  document->Draw(screen.Canvas(), Rect(0, 0, 2, 1));
  ASSERT_TRUE(Services.ServiceUntilWaiting());
  TGIFPainter* first = document->ViewPainter();
  ASSERT_NE(first, nullptr);
  document->Draw(screen.Canvas(), Rect(0, 0, 2, 1));
  EXPECT_EQ(document->ViewPainter(), first);
  EXPECT_EQ(Services.EventsMade(), 1);
  EXPECT_EQ(Services.WaitsCutShort(), 0);

  document->Draw(screen.Canvas(), Rect(2, 1, 4, 2));
  EXPECT_EQ(Services.WaitsCutShort(), 1) << "the old painter was stopped first";
  EXPECT_EQ(Services.EventsMade(), 2);
  EXPECT_EQ(document->Painters().Count(), 1);
  ASSERT_TRUE(Services.ServiceUntil([&] { return screen.Canvas().PixelColor(2, 1) == Entry(0); }));
}

TEST_F(TPainterTest, ADocumentOfOneFrameIsDrawnOnceWithoutAPainter) {
  auto document = Animation(2, 1, Frames(1, 30));
  TBitmap screen = Screen(2, 1);
  document->Draw(screen.Canvas(), Rect(0, 0, 2, 1));
  EXPECT_EQ(screen.Canvas().PixelColor(1, 0), Entry(0));
  EXPECT_EQ(document->ViewPainter(), nullptr);
  EXPECT_EQ(document->Painters().Count(), 0);
  EXPECT_FALSE(document->CreatePainter(screen.Canvas(), Threaded, Rect(0, 0, 2, 1)))
      << "one frame runs at once, unthreaded";
  EXPECT_EQ(Services.EventsMade(), 0);
  TGIFImage empty;
  empty.Draw(screen.Canvas(), Rect(0, 0, 2, 1));
  EXPECT_FALSE(empty.CreatePainter(screen.Canvas(), Threaded, Rect(0, 0, 2, 1)));
  auto animated = Animation(2, 1, Frames(2, 30));
  EXPECT_FALSE(animated->CreatePainter(screen.Canvas(), Threaded, Rect(1, 0, 1, 1))) << "empty rect";
  EXPECT_EQ(Services.EventsMade(), 0);
}
