// TGIFImage: a GIF document, the codec's one public header. The document owns
// its logical screen (TGIFHeader with the global colour table) and its frames
// (TGIFSubImage, each with its extensions, local colour table and pixels); it
// reads itself from a stream, copies itself, and hands the warnings of damaged
// files to an optional WarningHandler. It renders its first frame as the
// document's still picture (Bitmap, Draw) and tells an optional OnProgress
// observer how long operations advance. Including this header brings the
// whole codec: the model, the frame rendering, the colour lookups, quantiser
// and dither engines.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Bitmap.h"
#include "Canvas.h"
#include "Color.h"
#include "ColorLookup.h"
#include "ColorQuantizer.h"
#include "DitherEngine.h"
#include "DitherErrorRows.h"
#include "DitherFloydSteinberg.h"
#include "FixedPalettes.h"
#include "GIFAppExtNSLoop.h"
#include "GIFColorMap.h"
#include "GIFCommentExtension.h"
#include "GIFDIB.h"
#include "GIFException.h"
#include "GIFExtensionRegistry.h"
#include "GIFGraphicControlExtension.h"
#include "GIFHeader.h"
#include "GIFImageList.h"
#include "GIFMessages.h"
#include "GIFProgress.h"
#include "GIFSettings.h"
#include "GIFSubImage.h"
#include "GIFTextExtension.h"
#include "GIFTrailer.h"
#include "GIFUnknownAppExtension.h"
#include "Graphic.h"

// A BMX strip holds this many frames, stacked one under the other.
inline constexpr int StripFrameCount = 4;

// Receives (sender, severity, message) for each warning of a document.
using TGIFWarningHandler = std::function<void(TPersistent* sender, std::uint8_t severity, const std::string& message)>;

class TGIFImage : public TGraphic {
public:
  TGIFImage();
  ~TGIFImage() override;
  TGIFImage(const TGIFImage&) = delete;
  TGIFImage& operator=(const TGIFImage&) = delete;

  // The logical screen size.
  int Width() const override { return FHeader.ScreenWidth(); }
  int Height() const override { return FHeader.ScreenHeight(); }
  // "Image width too small for contained frames" below a frame's right edge.
  void SetWidth(int value);
  // "Image height too small for contained frames" below a frame's bottom edge.
  void SetHeight(int value);
  // True without frames.
  bool Empty() const override { return FFrames.Count() == 0; }

  TGIFHeader& LogicalScreen() { return FHeader; }
  const TGIFHeader& LogicalScreen() const { return FHeader; }
  TGIFImageList& Frames() { return FFrames; }
  const TGIFImageList& Frames() const { return FFrames; }
  TGIFGlobalColorMap& GlobalColorMap() { return FHeader.GlobalMap(); }
  const TGIFGlobalColorMap& GlobalColorMap() const { return FHeader.GlobalMap(); }

  // No frames, screen 0 by 0, no global table.
  void Clear();
  // Reads one GIF from the stream's position. On a fatal error the position
  // goes back to where reading began and the frames completely read stay.
  void LoadFromStream(TStream& stream) override;
  // Reads the named file; "Cannot open file %s" when it cannot be opened.
  void LoadFile(const std::string& fileName);
  void SaveToStream(TStream& stream) override;
  // Draws the document's still picture, frame 0, into rect (Transparent and
  // Tiled of DrawFlags apply); nothing without frames or while already drawing.
  void Draw(TCanvas& canvas, const TRect& rect) override;
  std::unique_ptr<TGraphic> Clone() const override;
  // Makes this document a copy of source; nullptr clears it.
  void Assign(const TGIFImage* source);

  // Hands a warning to WarningHandler, if one is set.
  void Warning(TPersistent* sender, std::uint8_t severity, const std::string& message);
  // Pixels held by all frames but one, for the document's pixel limit.
  std::int64_t PixelsExcept(const TGIFSubImage* frame) const;

  // Rendering (GIFImageRender.cpp). The document's still picture, made on
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
  std::optional<TPalette> DocumentPalette();
  // Forgets the document palette (the global table changed).
  void DropPalette() { FPalette.reset(); }
  // Whether frames render dithered into the 216-colour cube: never without
  // the Dither option; with AutoDither only on displays of 256 colours or
  // fewer (AutoDitherDisplay); otherwise always.
  bool UseDithering() const;
  // Makes the bitmap a copy of Bitmap (an empty bitmap when there is none).
  void AssignTo(TBitmap& bitmap);
  // The BMX strip of frames 0 to 3 (GIFStrip.cpp): a black-and-white bitmap
  // of the logical screen's width and four times its height, white at first,
  // with the Bitmap of frame k drawn opaquely at its own size at (0, k x
  // Height), whatever the frame's place on the screen: a pixel of exactly
  // white stays white, every other colour turns black. A frame without an
  // image leaves its band white. "List index out of bounds (%d)" names the
  // first of those frames that the document lacks.
  std::unique_ptr<TBitmap> ComposeStrip();

  // Hands a progress notification to OnProgress, if one is set.
  void Progress(const std::string& text, TProgressStage stage, int percent);

  // Options copied from the unit-wide defaults (GIFSettings.h) at creation.
  std::uint16_t DrawFlags;
  std::uint8_t ReductionMethod;
  std::int32_t ReductionDepth;
  std::uint8_t DitherKind;
  std::uint8_t Encoding;
  std::uint8_t PainterPriority;
  std::int32_t SpeedPercent;
  TColor BackdropColor = clNone;
  TGIFWarningHandler WarningHandler;
  // Told how rendering advances; may raise EAbort to stop it.
  TGIFProgressHandler OnProgress;

private:
  void DropViewBitmap() { FViewBitmap.reset(); }

  TGIFImageList FFrames;
  TGIFHeader FHeader;
  std::unique_ptr<TBitmap> FViewBitmap;
  std::optional<TPalette> FPalette;
  bool FInPaletteQuery = false;
  bool FDrawing = false;
};
