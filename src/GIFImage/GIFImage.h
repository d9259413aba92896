// TGIFImage: a GIF document, the codec's one public header. The document owns
// its logical screen (TGIFHeader with the global colour table) and its frames
// (TGIFSubImage, each with its extensions, local colour table and pixels); it
// reads itself from a stream, copies itself, and hands the warnings of damaged
// files to an optional WarningHandler. Including this header brings the whole
// codec: the model, the colour lookups, quantiser and dither engines.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

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
#include "GIFException.h"
#include "GIFExtensionRegistry.h"
#include "GIFGraphicControlExtension.h"
#include "GIFHeader.h"
#include "GIFImageList.h"
#include "GIFMessages.h"
#include "GIFSettings.h"
#include "GIFSubImage.h"
#include "GIFTextExtension.h"
#include "GIFTrailer.h"
#include "GIFUnknownAppExtension.h"
#include "Graphic.h"

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
  void Draw(TCanvas& canvas, const TRect& rect) override;
  std::unique_ptr<TGraphic> Clone() const override;
  // Makes this document a copy of source; nullptr clears it.
  void Assign(const TGIFImage* source);

  // Hands a warning to WarningHandler, if one is set.
  void Warning(TPersistent* sender, std::uint8_t severity, const std::string& message);
  // Pixels held by all frames but one, for the document's pixel limit.
  std::int64_t PixelsExcept(const TGIFSubImage* frame) const;

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

private:
  TGIFImageList FFrames;
  TGIFHeader FHeader;
};
