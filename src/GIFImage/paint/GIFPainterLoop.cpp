// The frame loop: runs and passes, the loop count of the looping extension,
// the wait before each frame, and the delay each frame asks for. The loop
// itself only counts and waits; every look at the document and every paint is
// a step run on the user-interface thread.
#include <algorithm>
#include <cstdint>
#include <exception>

#include "GIFAppExtNSLoop.h"
#include "GIFExtensionList.h"
#include "GIFGraphicControlExtension.h"
#include "GIFImageList.h"
#include "GIFPainter.h"
#include "GIFSubImage.h"

struct TGIFPainter::TLoopState {
  int LoopCount = 1;  // passes still to play; -1 endless
  int LoopStart = 0;  // the frame later passes start from
  bool LoopRead = false;
  std::int32_t Delay = 0;  // in delay units
  std::int64_t LastTime = 0;
  std::int64_t LastWait = 0;
  bool FrameReady = false;
  bool PassShowedFrame = false;
};

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
  const std::int64_t product = a * b;
  const std::int64_t half = c / 2;
  return product >= 0 ? (product + half) / c : -((-product + half) / c);
}

}  // namespace

void TGIFPainter::Execute() {
  try {
    FRestartRequested = true;
    while (FRestartRequested && !FTerminated) {
      TLoopState loop;
      RunOnUiThread([this] {
        FActiveFrame = 0;
        Fire(OnAnimationStart);
        FStarted = false;
        FRestartRequested = false;
        FPreviousDisposal = dmKeep;
      });
      // The first frame of a threaded painter shows without waiting.
      loop.Delay = Threaded() ? 0 : 1;
      loop.LastTime = FServices.Milliseconds();
      RunPasses(loop);
    }
    RunOnUiThread([this] {
      FActiveFrame = -1;
      Fire(OnAnimationEnd);
    });
  } catch (const std::exception& error) {
    FTerminated = true;
    FStoredError = error.what();
  }
}

void TGIFPainter::RunPasses(TLoopState& loop) {
  while ((loop.LoopCount != 0 || Has(DrawOption::EndlessLoop)) && !FTerminated && !FRestartRequested) {
    loop.PassShowedFrame = false;
    RunOnUiThread([this, &loop] {
      FActiveFrame = loop.LoopStart;
      if (FStarted) Fire(OnLoopRestart);
    });
    while (!FTerminated && !FRestartRequested) {
      loop.FrameReady = false;
      RunOnUiThread([this, &loop] { PrepareFrame(loop); });
      if (!loop.FrameReady) break;
      WaitForFrame(loop);
      if (FTerminated) break;
      RunOnUiThread([this, &loop] { ShowFrame(loop); });
      if (!Has(DrawOption::Animated)) break;
    }
    if (loop.LoopCount > 0) --loop.LoopCount;
    if (!Has(DrawOption::Animated) || !Has(DrawOption::Looping)) break;
    // A pass that showed nothing (its first frame is empty) would repeat
    // without ever waiting.
    if (!loop.PassShowedFrame) break;
  }
}

// User-interface thread: whether the active frame can be shown, and its
// bitmap rendered before the clock is read, so decoding does not lengthen
// the delay shown.
void TGIFPainter::PrepareFrame(TLoopState& loop) {
  const TGIFImageList& frames = FDocument->Frames();
  if (FActiveFrame < 0 || FActiveFrame >= frames.Count() || frames[FActiveFrame].Empty()) return;
  loop.FrameReady = true;
  if (loop.Delay > 0) frames[FActiveFrame].Bitmap();
}

void TGIFPainter::WaitForFrame(TLoopState& loop) {
  if (loop.Delay <= 0) {
    FServices.Yield();
    return;
  }
  const std::int64_t now = FServices.Milliseconds();
  std::int64_t wait = 0;
  if (FSpeedPercent > 0) {
    // Half of what the last frame took beyond its wait comes off this one.
    const std::int64_t overhead = now - loop.LastTime - loop.LastWait;
    wait = MulDiv(std::int64_t{loop.Delay} * DelayUnitMs - overhead / 2, 100, FSpeedPercent);
    loop.LastWait = wait;
  } else {
    wait = Threaded() ? InfiniteWait : std::int64_t{MaximumFrameDelay} * DelayUnitMs;
  }
  loop.LastTime = now;
  if (!Threaded()) return SleepOnUiThread(wait);
  if ((wait > 0 || FSpeedPercent == 0) && FWakeEvent) {
    const int limit = wait < 0 ? InfiniteWait : static_cast<int>(std::min<std::int64_t>(wait, INT32_MAX));
    if (FWakeEvent->WaitFor(limit)) {
      loop.LastWait = 0;
      loop.LastTime = FServices.Milliseconds();
    }
  }
}

// A painter that is not threaded waits on the user-interface thread in
// slices, running the hand-overs of other painters between them.
void TGIFPainter::SleepOnUiThread(std::int64_t wait) {
  if (wait <= 0) wait = 1;
  std::int64_t sliceStart = FServices.Milliseconds();
  while (wait > 0 && !FTerminated && !FRestartRequested) {
    FServices.Sleep(static_cast<int>(std::min<std::int64_t>(wait, 100)));
    const std::int64_t now = FServices.Milliseconds();
    wait -= now - sliceStart;
    sliceStart = now;
    while (!FTerminated && !FRestartRequested && FServices.CheckSynchronize(0)) {
    }
  }
}

// User-interface thread: one frame, from the hook before it to the hook after it.
void TGIFPainter::ShowFrame(TLoopState& loop) {
  Fire(OnBeforeFrame);
  if (FTerminated || FActiveFrame < 0 || FActiveFrame >= FDocument->Frames().Count()) return;
  ReadFrameExtensions(loop);
  PaintFrame();
  loop.PassShowedFrame = true;
  FPreviousDisposal = FDisposal;
  if (FTerminated) return;
  const TGIFGraphicControlExtension* control = FDocument->Frames()[FActiveFrame].ControlBlock();
  loop.Delay = DefaultFrameDelay;
  if (control != nullptr && control->Delay() != 0) {
    loop.Delay = std::max<std::int32_t>(control->Delay(), MinimumFrameDelay);
    if (!Threaded()) loop.Delay = std::min(loop.Delay, MaximumFrameDelay);
  }
  const int shown = FActiveFrame;
  Fire(OnAfterFrame);
  if (FTerminated) return;
  // A hook may have moved on to another frame itself.
  if (FActiveFrame == shown) ++FActiveFrame;
}

// The first looping extension of the run sets the loop count and where later
// passes start; the frame's last graphic control extension its disposal.
void TGIFPainter::ReadFrameExtensions(TLoopState& loop) {
  const TGIFExtensionList& extensions = FDocument->Frames()[FActiveFrame].ExtList();
  FDisposal = dmKeep;
  for (int i = 0; i < extensions.Count(); ++i) {
    if (const auto* looping = dynamic_cast<const TGIFAppExtNSLoop*>(&extensions[i]); looping && !loop.LoopRead) {
      loop.LoopRead = true;
      loop.LoopCount = looping->LoopCount();
      if ((loop.LoopCount == 0 || Has(DrawOption::EndlessLoop)) && Threaded()) loop.LoopCount = -1;
      loop.LoopStart = FActiveFrame;
    } else if (const auto* control = dynamic_cast<const TGIFGraphicControlExtension*>(&extensions[i])) {
      FDisposal = control->Disposal();
    }
  }
}
