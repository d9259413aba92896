// TGIFDocument: what the blocks of a GIF document (its header, frames, colour
// tables and extensions), its readers and writers and its painters ask of
// the document they belong to: the logical screen and the frames, warnings
// and progress, the pixel budget, the palette and the options that rendering,
// import and writing follow. TGIFImage is the one document; the blocks know
// it through this face only, so the model needs nothing above it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Color.h"
#include "GIFProgress.h"
#include "Palette.h"

class TBitmap;
class TGIFGlobalColorMap;
class TGIFHeader;
class TGIFImageList;
class TGIFSubImage;
class TPersistent;

class TGIFDocument {
public:
  // The logical screen's size; the setters refuse a size below a frame's edge.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int value) = 0;
  virtual void SetHeight(int value) = 0;
  virtual TGIFHeader& LogicalScreen() = 0;
  virtual const TGIFHeader& LogicalScreen() const = 0;
  virtual TGIFImageList& Frames() = 0;
  virtual const TGIFImageList& Frames() const = 0;
  virtual TGIFGlobalColorMap& GlobalColorMap() = 0;
  virtual const TGIFGlobalColorMap& GlobalColorMap() const = 0;

  // Hands a warning on to whoever listens to the document.
  virtual void Warning(TPersistent* sender, std::uint8_t severity, const std::string& message) = 0;
  // Tells how an operation advances; may raise EAbort to stop it.
  virtual void Progress(const std::string& text, TProgressStage stage, int percent) = 0;
  // Pixels held by all frames but one, for the document's pixel limit.
  virtual std::int64_t PixelsExcept(const TGIFSubImage* frame) const = 0;
  // How many leading frames have their pixels decoded while reading.
  virtual int FramesDecodedOnLoad() const = 0;

  // The options that import, writing and painting follow (GIFSettings.h).
  virtual std::uint8_t ReductionMethod() const = 0;
  virtual std::int32_t ReductionDepth() const = 0;
  virtual std::uint8_t DitherKind() const = 0;
  virtual std::uint8_t Encoding() const = 0;
  // The colour painters clear to; clNone: the logical screen's background.
  virtual TColor BackdropColor() const = 0;
  // The painters' speed in percent of the delays' (below 0: no delays).
  virtual std::int32_t SpeedPercent() const = 0;

  // Whether frames render dithered into the 216-colour cube.
  virtual bool UseDithering() const = 0;
  // The palette for the whole document (none without frames).
  virtual std::optional<TPalette> DocumentPalette() = 0;
  // Forgets the document palette (the global table changed).
  virtual void DropPalette() = 0;
  // Makes the bitmap a copy of the document's still picture.
  virtual void AssignTo(TBitmap& bitmap) = 0;
  // Copies the extensions of one frame to the end of another's list, as
  // writing and reading them again would give them.
  virtual void CopyExtensions(const TGIFSubImage& from, TGIFSubImage& to) = 0;

protected:
  ~TGIFDocument() = default;
};
