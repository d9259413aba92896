// How painters end with what they paint: a view whose document is replaced
// or freed, a canvas discarded under a painter, a document freed on a thread
// that cannot run hand-overs, an error inside a painter, and the view bitmap
// that a painter paints into when it does not paint direct.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "Canvas.h"
#include "Deadline.h"
#include "Exception.h"
#include "Image.h"
#include "PainterTesting.h"

namespace {

constexpr std::uint16_t Threaded = DrawOption::Threaded | DrawOption::Animated | DrawOption::Looping;

}  // namespace

TEST_F(TPainterTest, AViewAnimatesItsDocumentAndFreeingTheDocumentLeavesNoPainter) {
  TImage view(4, 2);
  auto document = Animation(4, 2, Frames(3, 30));
  document->SetDrawFlags(document->DrawFlags() | DrawOption::PaintDirect);
  view.Picture().Assign(document.get());
  auto* shown = dynamic_cast<TGIFImage*>(view.Picture().Graphic());
  ASSERT_NE(shown, nullptr);
  // The hook holds a token: it lives exactly as long as some painter or document holds the hook.
  auto token = std::make_shared<int>(0);
  std::weak_ptr<int> alive = token;
  shown->SetOnAfterFrame([token](TGIFPainter&) {});
  token.reset();
  Services.HoldWaits = true;
  view.Surface();
  ASSERT_TRUE(Services.ServiceUntilWaiting());
  EXPECT_EQ(view.Surface().Image().GetPixel(3, 1), Entry(0));
  Services.HoldWaits = false;
  view.Picture().Assign(nullptr);
  EXPECT_TRUE(alive.expired()) << "no painter of the freed document is left";
  EXPECT_EQ(Services.WaitsCutShort(), 1);
  EXPECT_EQ(Services.WaitsTimedOutForReal(), 0);
}

TEST_F(TPainterTest, AViewShowsEachFrameAndKeepsTheLastWhenThePassesEnd) {
  TImage view(4, 2);
  auto document = Animation(4, 2, Frames(3, 30));
  document->SetDrawFlags(document->DrawFlags() | DrawOption::PaintDirect);
  view.Picture().Assign(document.get());
  auto* shown = dynamic_cast<TGIFImage*>(view.Picture().Graphic());
  std::vector<TColor> seen;
  shown->SetOnAfterFrame([&](TGIFPainter&) { seen.push_back(view.Surface().Image().GetPixel(0, 0)); });
  view.Surface();
  ASSERT_TRUE(Finished(*shown));
  EXPECT_EQ(seen, (std::vector<TColor>{Entry(0), Entry(1), Entry(2)}));
  EXPECT_EQ(view.Surface().Image().GetPixel(3, 1), Entry(2));
  // The next repaint finds no painter and plays from frame 0 again.
  seen.clear();
  view.Invalidate();
  view.Surface();
  ASSERT_TRUE(Finished(*shown));
  EXPECT_EQ(seen.size(), 3u);
}

// The second animation's frames are see-through but for one blue pixel, and
// restore to what lay under them: that is the white of a new view, never the
// green the first animation left.
TEST_F(TPainterTest, EachNewPictureOfAViewStartsOnAnEmptySurface) {
  TImage view(4, 2);
  auto opaque = Animation(4, 2, Frames(2, 3));
  auto seeThrough = Animation(4, 2,
                              {{.Index = 2, .Delay = 3, .Disposal = 2, .Place = Rect(0, 0, 1, 1)},
                               {.Index = 5, .Delay = 3, .Disposal = 2, .Transparent = 5}});
  opaque->SetDrawFlags(opaque->DrawFlags() | DrawOption::PaintDirect);
  seeThrough->SetDrawFlags(seeThrough->DrawFlags() | DrawOption::PaintDirect);
  const TColor w = clWhite, b = Entry(2);
  struct TCase {
    const char* Name;
    TGIFImage* Before;
    std::vector<std::vector<TColor>> Screens;
  };
  const TCase cases[] = {
      {"after an opaque animation", opaque.get(), {{b, w, w, w, w, w, w, w}, {w, w, w, w, w, w, w, w}}},
      {"after itself", seeThrough.get(), {{b, w, w, w, w, w, w, w}, {w, w, w, w, w, w, w, w}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    for (TGIFImage* document : {c.Before, seeThrough.get()}) {
      view.Picture().Assign(document);
      auto* shown = dynamic_cast<TGIFImage*>(view.Picture().Graphic());
      ASSERT_NE(shown, nullptr);
      std::vector<std::vector<TColor>> screens;
      shown->SetOnAfterFrame([&](TGIFPainter&) {
        std::vector<TColor> screen;
        for (int y = 0; y < 2; ++y)
          for (int x = 0; x < 4; ++x) screen.push_back(view.Surface().Image().GetPixel(x, y));
        screens.push_back(screen);
      });
      view.Surface();
      ASSERT_TRUE(Finished(*shown));
      if (document == seeThrough.get()) {
        EXPECT_EQ(screens, c.Screens);
      }
    }
  }
}

TEST_F(TPainterTest, ACanvasDiscardedUnderAPainterIsNeverPaintedAgain) {
  auto document = Animation(2, 1, Frames(2, 30));
  RecordFrames(*document);
  auto screen = std::make_unique<TBitmap>();
  screen->SetSize(2, 1);
  // The painter's first hand-over waits: nothing runs it until the canvas is gone.
  document->CreatePainter(screen->Canvas(), Threaded, Rect(0, 0, 2, 1))->BeginPainting();
  screen.reset();
  ASSERT_TRUE(Finished(*document));
  EXPECT_TRUE(Shown.empty());
}

TEST_F(TPainterTest, ADocumentFreedWhereHandOversCannotRunEndsItsPaintersAtOnce) {
  auto document = Animation(2, 1, Frames(2, 30));
  RecordFrames(*document);
  TBitmap screen;
  screen.SetSize(2, 1);
  document->CreatePainter(screen.Canvas(), Threaded, Rect(0, 0, 2, 1))->BeginPainting();
  // The painter blocks in its first hand-over, which this thread does not run.
  auto freed = std::async(std::launch::async, [&] { document.reset(); });
  if (freed.wait_for(TestDeadline) != std::future_status::ready) EndHungTest("a document freed off the user-interface thread");
  Services.CheckSynchronize(0);
  EXPECT_TRUE(Shown.empty()) << "no step of the ended painter ran";
}

TEST_F(TPainterTest, AnErrorEndsThePainterOnlyAndReachesTheWarningHandler) {
  auto document = Animation(2, 1, Frames(3, 3));
  std::vector<std::string> warnings;
  document->SetWarningHandler([&](TPersistent*, std::uint8_t, const std::string& message) {
    warnings.push_back(message);
  });
  document->SetOnBeforeFrame([](TGIFPainter& painter) {
    if (painter.ActiveFrame() == 1) throw Exception("hook failed");
  });
  TBitmap screen;
  screen.SetSize(2, 1);
  Play(*document, screen.Canvas(), Threaded, Rect(0, 0, 2, 1));
  EXPECT_EQ(Shown, std::vector<int>{0});
  EXPECT_EQ(warnings, std::vector<std::string>{"hook failed"});
  EXPECT_EQ(screen.Canvas().PixelColor(0, 0), Entry(0));
}

TEST_F(TPainterTest, WithoutPaintDirectThePainterPaintsIntoTheViewBitmapAndDrawWaitsForItsFirstFrame) {
  auto document = Animation(2, 1, Frames(2, 30));
  document->SetDrawFlags(document->DrawFlags() & static_cast<std::uint16_t>(~DrawOption::PaintDirect));
  Services.HoldWaits = true;
  TBitmap screen;
  screen.SetSize(4, 2);
  document->Draw(screen.Canvas(), Rect(0, 0, 4, 2));
  EXPECT_EQ(screen.Canvas().PixelColor(3, 1), Entry(0)) << "the first frame, stretched";
  ASSERT_NE(document->ViewBitmap(), nullptr);
  EXPECT_EQ(document->Bitmap(), document->ViewBitmap()) << "the still image is the painter's target";
  ASSERT_TRUE(Services.ServiceUntilWaiting());
  document->StopViewPainter();
  EXPECT_EQ(document->ViewBitmap(), nullptr);
  EXPECT_EQ(document->Painters().Count(), 0);
}

// The document's list holds each painter from its making to its finish, the
// one that runs in the call that made it too, and the finish frees it: the
// token its hook holds is gone then. A hook that frees the document leaves
// the running painter to that call, which frees it at its end.
TEST_F(TPainterTest, EachPainterIsOneOfItsDocumentsListUntilItsFinishFreesIt) {
  enum class TEnd { ByTheDocument, FromItsHook, ByFreeingTheDocument };
  struct TCase {
    const char* Name;
    std::uint16_t Options;
    TEnd End;
  };
  constexpr std::uint16_t Unthreaded = DrawOption::Animated | DrawOption::Looping;
  const TCase cases[] = {
      {"threaded, stopped by its document", Threaded, TEnd::ByTheDocument},
      {"threaded, stopped from its hook", Threaded, TEnd::FromItsHook},
      {"not threaded, stopped from its hook", Unthreaded, TEnd::FromItsHook},
      {"not threaded, its hook frees the document", Unthreaded, TEnd::ByFreeingTheDocument},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeThreadServices services;
    SetPainterServices(&services);
    services.HoldWaits = c.End == TEnd::ByTheDocument;
    std::unique_ptr<TGIFImage> document = Animation(2, 1, Frames(3, 30));
    auto token = std::make_shared<int>(0);
    const std::weak_ptr<int> alive = token;
    // Per frame shown: whether the painter was its list's one entry.
    std::vector<bool> listed;
    document->SetOnAfterFrame([&c, &document, &listed, token](TGIFPainter& painter) {
      const TGIFPainterList& painters = document->Painters();
      listed.push_back(painters.Count() == 1 && &painters[0] == &painter);
      if (c.End == TEnd::FromItsHook) painter.RequestStop();
      if (c.End == TEnd::ByFreeingTheDocument) document.reset();
    });
    token.reset();
    TBitmap screen;
    screen.SetSize(2, 1);
    if (const TGIFDocumentOwnedPainter painter = document->CreatePainter(screen.Canvas(), c.Options, Rect(0, 0, 2, 1))) {
      EXPECT_EQ(document->Painters().Count(), 1);
      EXPECT_EQ(&document->Painters()[0], painter.Get()) << "handed out, still the list's";
      painter->BeginPainting();
    }
    if (c.End == TEnd::ByTheDocument) {
      ASSERT_TRUE(services.ServiceUntilWaiting());
      document->StopAllPainters();
    }
    if (document) {
      ASSERT_TRUE(services.ServiceUntil([&] { return document->Painters().Count() == 0; }));
      document->SetOnAfterFrame(nullptr);
    }
    EXPECT_EQ(listed, std::vector<bool>{true});
    EXPECT_TRUE(alive.expired()) << "the finished painter is freed";
  }
  SetPainterServices(&Services);
}
