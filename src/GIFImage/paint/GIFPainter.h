// TGIFPainter: plays the frames of a GIF document onto a canvas: the delays,
// loop counts and disposal methods stored in the file, at the document's
// speed. A threaded painter times the frames on a thread of its own; every
// step that touches the document, a bitmap or a canvas (each paint, each
// hook, rendering the next frame ahead) is handed over to the user-interface
// thread, so the painter thread keeps only its timing state and waits. A
// painter that is not threaded runs its whole loop on the calling thread.
//
// The document's TGIFPainterList owns every painter from its making until its
// FinishPainter. The frame loop and its timing are in GIFPainterLoop.cpp.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "Bitmap.h"
#include "Color.h"
#include "GIFDocument.h"
#include "GIFPainterHook.h"
#include "GIFSettings.h"
#include "Geometry.h"
#include "ThreadServices.h"

class TCanvas;
class TGIFPainterList;

// The services painters are made with: the system's, or a test's fakes
// (nullptr puts the system's back).
TThreadServices& PainterServices();
void SetPainterServices(TThreadServices* services);

// Milliseconds per delay unit of a graphic control extension: the file counts
// hundredths of a second, frames are shown 12 ms per unit.
inline constexpr std::int32_t DelayUnitMs = 12;
// Units for a frame without a delay of its own (no control block, or 0).
inline constexpr std::int32_t DefaultFrameDelay = 10;
inline constexpr std::int32_t MinimumFrameDelay = 3;
// Longest delay of a painter that is not threaded (it sleeps on the
// user-interface thread); also its wait when the speed is not positive.
inline constexpr std::int32_t MaximumFrameDelay = 1000;

// Disposal methods of a graphic control extension; 4 to 7 are reserved and
// treated like dmNone.
inline constexpr std::uint8_t dmNone = 0;
inline constexpr std::uint8_t dmKeep = 1;
inline constexpr std::uint8_t dmBackground = 2;
inline constexpr std::uint8_t dmPrevious = 3;

class TGIFPainter {
public:
  // Registers nothing: CreatePainter hands the painter to the document's
  // list, which it leaves in FinishPainter.
  TGIFPainter(TGIFDocument& document, TGIFPainterList& list, TCanvas& canvas, const TRect& rect, std::uint16_t options,
              TThreadServices& services);
  ~TGIFPainter();
  TGIFPainter(const TGIFPainter&) = delete;
  TGIFPainter& operator=(const TGIFPainter&) = delete;

  // Starts the thread of a threaded painter; nothing otherwise.
  void BeginPainting();
  // Ends the painting as soon as possible, cutting a frame wait short. A
  // threaded painter that was never begun is started so that it can finish.
  void RequestStop();
  // Runs the frame loop from frame 0 again after the frame being shown.
  void Restart() { FRestartRequested = true; }
  // The frame loop: on the painter's thread, or in the calling thread for a
  // painter that is not threaded.
  void Execute();

  bool Terminated() const { return FTerminated; }
  bool Threaded() const;
  bool Started() const { return FStarted; }
  std::uint16_t DrawFlags() const { return FDrawFlags; }
  std::int32_t SpeedPercent() const { return FSpeedPercent; }
  std::uint8_t Priority() const { return FPriority; }
  void SetPriority(std::uint8_t priority) { FPriority = priority; }
  TGIFDocument* Document() const { return FDocument; }
  TCanvas* Canvas() const { return FCanvas; }
  const TRect& DestRect() const { return FDestRect; }
  // The frame being shown, -1 outside a run; a hook may move it.
  int ActiveFrame() const { return FActiveFrame; }
  void SetActiveFrame(int frame) { FActiveFrame = frame; }
  const TBitmap* CompositionBuffer() const { return FCompositionBuffer.get(); }
  const TBitmap* ScratchBuffer() const { return FScratchBuffer.get(); }
  const TBitmap* BackgroundSnapshot() const { return FBackgroundSnapshot.get(); }
  bool HasWakeEvent() const { return FWakeEvent != nullptr; }
  TColor BackgroundColor() const { return FBackgroundColor; }
  TThreadServices& Services() const { return FServices; }
  // False once the destination canvas is gone; nothing is painted on it then.
  bool CanvasAlive() const;
  // The message of the error that ended the loop, if one did.
  const std::optional<std::string>& StoredError() const { return FStoredError; }

  TGIFPainterHook OnAnimationStart;
  TGIFPainterHook OnBeforeFrame;
  TGIFPainterHook OnAfterFrame;
  TGIFPainterHook OnLoopRestart;
  TGIFPainterHook OnAnimationEnd;

  // User-interface thread, once per painter: leaves the document's list (and
  // its view), reports a stored error, frees the buffers. The list's
  // ownership ends here, and the painter with it at the end of this call.
  void FinishPainter();
  // The document is going away while this painter still refers to it.
  void ForgetDocument() { FDocument = nullptr; }
  // Ends a threaded painter without the user-interface thread's help: its
  // hand-overs are dropped, its thread joined. It touches nothing afterwards.
  void EndWithoutHandOver();

private:
  // What the frame loop counts while it runs (GIFPainterLoop.cpp).
  struct TLoopState;

  void ThreadBody();
  void RunPasses(TLoopState& loop);
  void PrepareFrame(TLoopState& loop);
  void WaitForFrame(TLoopState& loop);
  void ShowFrame(TLoopState& loop);
  void ReadFrameExtensions(TLoopState& loop);
  void SleepOnUiThread(std::int64_t wait);
  bool Has(std::uint16_t option) const { return (FDrawFlags & option) != 0; }
  // Runs step on the user-interface thread (waiting for it); nothing once
  // terminated or when the destination is gone.
  void RunOnUiThread(const std::function<void()>& step);
  void Fire(const TGIFPainterHook& hook);
  void MakeBuffers();
  TColor ResolveBackground() const;

  void PaintFrame();
  void PaintFrameDirect();
  void PaintFrameBuffered();
  void ClearFrameArea();

  TGIFDocument* FDocument;
  // The list that owns this painter; it outlives the painter, also when the
  // document goes first.
  TGIFPainterList& FList;
  TCanvas* FCanvas;
  std::weak_ptr<const void> FCanvasAlive;
  TRect FDestRect;
  std::uint16_t FDrawFlags;
  std::int32_t FSpeedPercent;
  std::uint8_t FPriority = 3;
  TThreadServices& FServices;
  TColor FBackgroundColor = clWhite;

  int FActiveFrame = -1;
  std::uint8_t FDisposal = dmKeep;
  std::uint8_t FPreviousDisposal = dmKeep;
  std::unique_ptr<TBitmap> FCompositionBuffer;
  std::unique_ptr<TBitmap> FScratchBuffer;
  std::unique_ptr<TBitmap> FBackgroundSnapshot;
  std::unique_ptr<TWaitEvent> FWakeEvent;
  std::optional<std::string> FStoredError;

  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FRestartRequested{false};
  std::atomic<bool> FStarted{false};
  // Set when the painter is ended without the user-interface thread: its
  // hand-overs are then no longer queued.
  std::atomic<bool> FAbandoned{false};
  std::atomic<bool> FBegun{false};
  bool FFinished = false;
  std::thread FThread;
};
