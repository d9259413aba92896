// TGIFImage: a GIF document, the codec's one public header. The document owns
// its logical screen (TGIFHeader with the global colour table) and its frames
// (TGIFSubImage, each with its extensions, local colour table and pixels); it
// reads itself from a stream, copies itself, and hands the warnings of damaged
// files to an optional WarningHandler. It renders its first frame as the
// document's still picture (Bitmap, Draw), takes pictures in as new frames
// (AppendFrame, reducing their colours by the document's settings) and tells
// an optional OnProgress observer how long operations advance. Including this
// header brings the document model (model/) and the block readers and writers
// (io/GIFBlockIO.h); the other folders are the library's own.
//
// A document of several frames drawn onto a canvas animates there: Draw hands
// it to a painter (paint/) that plays the frames until the document is
// cleared, freed or drawn elsewhere.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "Bitmap.h"
#include "Canvas.h"
#include "Color.h"
#include "Graphic.h"
#include "io/GIFBlockIO.h"
#include "model/GIFAppExtNSLoop.h"
#include "model/GIFColorMap.h"
#include "model/GIFCommentExtension.h"
#include "model/GIFDocument.h"
#include "messages/GIFException.h"
#include "model/GIFExtensionRegistry.h"
#include "model/GIFGraphicControlExtension.h"
#include "model/GIFHeader.h"
#include "model/GIFImageList.h"
#include "model/GIFPainterHook.h"
#include "messages/GIFMessages.h"
#include "model/GIFProgress.h"
#include "model/GIFSettings.h"
#include "model/GIFSubImage.h"
#include "model/GIFTextExtension.h"
#include "model/GIFTrailer.h"
#include "model/GIFUnknownAppExtension.h"

class TGIFPainter;
class TGIFPainterList;

// A painter that its document owns, in its painter list, from its making
// until its finish: the holder may begin, stop and watch it, never free it.
// Empty when there is no painter to hand out.
class TGIFDocumentOwnedPainter {
public:
  TGIFDocumentOwnedPainter() = default;
  explicit TGIFDocumentOwnedPainter(TGIFPainter& painter) : FPainter(&painter) {}

  explicit operator bool() const { return FPainter != nullptr; }
  TGIFPainter* Get() const { return FPainter; }
  TGIFPainter* operator->() const { return FPainter; }
  TGIFPainter& operator*() const { return *FPainter; }

private:
  TGIFPainter* FPainter = nullptr;
};

// A document's FramesDecodedOnLoad that decodes every frame while reading.
inline constexpr int AllFramesDecodedOnLoad = std::numeric_limits<int>::max();

// Receives (sender, severity, message) for each warning of a document.
using TGIFWarningHandler = std::function<void(TPersistent* sender, std::uint8_t severity, const std::string& message)>;

class TGIFImage : public TGraphic, public TGIFDocument {
public:
  TGIFImage();
  ~TGIFImage() override;
  TGIFImage(const TGIFImage&) = delete;
  TGIFImage& operator=(const TGIFImage&) = delete;

  // The logical screen size.
  int Width() const override { return FHeader.ScreenWidth(); }
  int Height() const override { return FHeader.ScreenHeight(); }
  // "Image width too small for contained frames" below a frame's right edge.
  void SetWidth(int value) override;
  // "Image height too small for contained frames" below a frame's bottom edge.
  void SetHeight(int value) override;
  // True without frames.
  bool Empty() const override { return FFrames.Count() == 0; }
  // A document of several frames animates on the canvas it is drawn on.
  bool PaintsOverTime() const override { return FFrames.Count() > 1 && (FDrawFlags & DrawOption::Animated) != 0; }

  TGIFHeader& LogicalScreen() override { return FHeader; }
  const TGIFHeader& LogicalScreen() const override { return FHeader; }
  TGIFImageList& Frames() override { return FFrames; }
  const TGIFImageList& Frames() const override { return FFrames; }
  TGIFGlobalColorMap& GlobalColorMap() override { return FHeader.GlobalMap(); }
  const TGIFGlobalColorMap& GlobalColorMap() const override { return FHeader.GlobalMap(); }

  // No frames, screen 0 by 0, no global table.
  void Clear();
  // Reads one GIF from the stream's position. On a fatal error the position
  // goes back to where reading began and the frames completely read stay.
  void LoadFromStream(TStream& stream) override;
  // Reads the named file; "Cannot open file %s" when it cannot be opened.
  void LoadFile(const std::string& fileName);
  // How many leading frames have their pixels decoded while reading; the
  // later ones keep their image data and decode it on first use of their
  // pixels, which saves the time of frames not needed yet. Reading warns
  // and fails exactly as when decoding every frame: data that could make the
  // decoder warn or fail is decoded at once. AllFramesDecodedOnLoad by default.
  int FramesDecodedOnLoad() const override { return FFramesDecodedOnLoad; }
  void SetFramesDecodedOnLoad(int count) { FFramesDecodedOnLoad = std::max(count, 0); }
  void SaveToStream(TStream& stream) override;
  // Draws the document into rect: a document of one frame, or not Animated,
  // as its frame 0; one of several frames animates there, the painter
  // staying on when the same canvas and rect are drawn again. Nothing
  // without frames or while already drawing.
  void Draw(TCanvas& canvas, const TRect& rect) override;
  // Makes a painter of the document onto rect of the canvas, owned by the
  // document's painter list. A threaded one is returned not yet begun; one
  // that is not threaded runs to its end here, and nothing is returned, as
  // for an empty document or rect.
  TGIFDocumentOwnedPainter CreatePainter(TCanvas& canvas, std::uint16_t options, const TRect& rect);
  // Stops the painter of Draw and waits for it; frees ViewBitmap.
  void StopViewPainter();
  // Stops every painter of the document and waits for them; frees ViewBitmap.
  void StopAllPainters();
  // Asks the painter of Draw to stop, without waiting, and frees ViewBitmap.
  void FreeViewBitmap();
  // The still picture, or the painter's target when it does not paint direct.
  TBitmap* ViewBitmap() const { return FViewBitmap.get(); }
  // The painter of Draw, one of Painters; nullptr when there is none.
  TGIFPainter* ViewPainter() const;
  // The painters of the document, read-only: they join the list in
  // CreatePainter and leave it in their finish.
  const TGIFPainterList& Painters() const { return *FPainters; }
  bool Drawing() const { return FDrawing; }
  std::unique_ptr<TGraphic> Clone() const override;
  // Makes this document a copy of source; nullptr clears it.
  void Assign(const TGIFImage* source);

  // Copies the extensions of one frame to the end of another's list, as
  // writing and reading them again would give them.
  void CopyExtensions(const TGIFSubImage& from, TGIFSubImage& to) override;
  // Hands a warning to WarningHandler, if one is set.
  void Warning(TPersistent* sender, std::uint8_t severity, const std::string& message) override;
  // Pixels held by all frames but one, for the document's pixel limit.
  std::int64_t PixelsExcept(const TGIFSubImage* frame) const override;

  // Rendering. The document's still picture, made on
  // first request and kept: a copy of frame 0's bitmap when frame 0 covers
  // the logical screen's size, else frame 0 drawn at its place on a white
  // bitmap of the screen's size. nullptr without frames, or when a progress
  // observer aborted the rendering of frame 0. Its changes are the
  // document's changes.
  TBitmap* Bitmap();
  // The palette for the whole document: the still picture's, else the one
  // made before, else the cube when dithering, else the global table's
  // (those two are kept), else frame 0's FramePalette; none without frames.
  // "No global or local color table defined" when frame 0 has no table
  // either and asks back.
  std::optional<TPalette> DocumentPalette() override;
  // Forgets the document palette (the global table changed).
  void DropPalette() override { FPalette.reset(); }
  // Whether frames render dithered into the 216-colour cube: never without
  // the Dither option; with AutoDither only on displays of 256 colours or
  // fewer (AutoDitherDisplay); otherwise always.
  bool UseDithering() const override;
  // Makes the bitmap a copy of Bitmap (an empty bitmap when there is none).
  void AssignTo(TBitmap& bitmap) override;

  // Import. Each returns the new frame's index.
  // A graphic becomes a new frame by the frame's LoadFromGraphic; when that
  // raises, Frames stays as it was.
  int AppendFrame(TGraphic& source);
  // The frame itself when it was made for this document; a frame of another
  // document (or of none) is copied, so that it never points back to a
  // document that may be gone.
  int AppendFrame(std::unique_ptr<TGIFSubImage> frame);
  // A frame as above; "Object type not supported for operation" for any
  // other object.
  int AppendFrame(std::unique_ptr<TPersistent> source);

  // Hands a progress notification to OnProgress, if one is set.
  void Progress(const std::string& text, TProgressStage stage, int percent) override;

  // The document's options, copied from the unit-wide defaults
  // (GIFSettings.h) at creation; Assign copies some of them from its source.
  std::uint16_t DrawFlags() const { return FDrawFlags; }
  void SetDrawFlags(std::uint16_t flags) { FDrawFlags = flags; }
  std::uint8_t ReductionMethod() const override { return FReductionMethod; }
  void SetReductionMethod(std::uint8_t method) { FReductionMethod = method; }
  std::int32_t ReductionDepth() const override { return FReductionDepth; }
  void SetReductionDepth(std::int32_t depth) { FReductionDepth = depth; }
  std::uint8_t DitherKind() const override { return FDitherKind; }
  void SetDitherKind(std::uint8_t kind) { FDitherKind = kind; }
  std::uint8_t Encoding() const override { return FEncoding; }
  void SetEncoding(std::uint8_t encoding) { FEncoding = encoding; }
  std::uint8_t PainterPriority() const { return FPainterPriority; }
  void SetPainterPriority(std::uint8_t priority) { FPainterPriority = priority; }
  std::int32_t SpeedPercent() const override { return FSpeedPercent; }
  void SetSpeedPercent(std::int32_t percent) { FSpeedPercent = percent; }
  // The colour painters clear to; clNone: the logical screen's background.
  TColor BackdropColor() const override { return FBackdropColor; }
  void SetBackdropColor(TColor color) { FBackdropColor = color; }
  const TGIFWarningHandler& WarningHandler() const { return FWarningHandler; }
  void SetWarningHandler(TGIFWarningHandler handler) { FWarningHandler = std::move(handler); }
  // Told how rendering advances; may raise EAbort to stop it.
  void SetOnProgress(TGIFProgressHandler handler) { FOnProgress = std::move(handler); }
  // Copied into each new painter; the program installs none.
  void SetOnAnimationStart(TGIFPainterHook hook) { FOnAnimationStart = std::move(hook); }
  void SetOnBeforeFrame(TGIFPainterHook hook) { FOnBeforeFrame = std::move(hook); }
  void SetOnAfterFrame(TGIFPainterHook hook) { FOnAfterFrame = std::move(hook); }
  void SetOnLoopRestart(TGIFPainterHook hook) { FOnLoopRestart = std::move(hook); }
  void SetOnAnimationEnd(TGIFPainterHook hook) { FOnAnimationEnd = std::move(hook); }

private:
  void DrawTiled(TCanvas& canvas, const TRect& rect, TBitmap& bitmap);
  void StartViewPainter(TCanvas& canvas, const TRect& rect);
  // CreatePainter's work; asView makes the painter the view painter before it runs.
  TGIFDocumentOwnedPainter MakePainter(TCanvas& canvas, std::uint16_t options, const TRect& rect, bool asView);
  void DropViewBitmap() { FViewBitmap.reset(); }
  int AddFrame(std::unique_ptr<TGIFSubImage> frame);

  TGIFImageList FFrames;
  TGIFHeader FHeader;
  std::unique_ptr<TBitmap> FViewBitmap;
  std::optional<TPalette> FPalette;
  bool FInPaletteQuery = false;
  bool FDrawing = false;
  // Shared only with a call that runs a painter that is not threaded, for as
  // long as the painter runs (GIFPainterList.h).
  std::shared_ptr<TGIFPainterList> FPainters;
  int FFramesDecodedOnLoad = AllFramesDecodedOnLoad;
  std::uint16_t FDrawFlags = DefaultDrawFlags;
  std::uint8_t FReductionMethod = DefaultReductionMethod;
  std::int32_t FReductionDepth = DefaultReductionDepth;
  std::uint8_t FDitherKind = DefaultDitherKind;
  std::uint8_t FEncoding = DefaultEncoding;
  std::uint8_t FPainterPriority = DefaultPainterPriority;
  std::int32_t FSpeedPercent = DefaultSpeedPercent;
  TColor FBackdropColor = clNone;
  TGIFWarningHandler FWarningHandler;
  TGIFProgressHandler FOnProgress;
  TGIFPainterHook FOnAnimationStart;
  TGIFPainterHook FOnBeforeFrame;
  TGIFPainterHook FOnAfterFrame;
  TGIFPainterHook FOnLoopRestart;
  TGIFPainterHook FOnAnimationEnd;
};
