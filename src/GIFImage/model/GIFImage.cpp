#include "GIFImage.h"

#include "GIFBlockIO.h"
#include "GIFPainterList.h"
#include "MemoryStream.h"

TGIFImage::TGIFImage()
    : FFrames(this),
      FHeader(this),
      FPainters(std::make_shared<TGIFPainterList>()) {
  Clear();
}

TGIFImage::~TGIFImage() {
  StopAllPainters();
  const std::lock_guard guard(FPainters->Lock());
  for (int i = 0; i < FPainters->Count(); ++i) (*FPainters)[i].ForgetDocument();
}

void TGIFImage::SetWidth(int value) {
  for (int i = 0; i < FFrames.Count(); ++i)
    if (value < FFrames[i].Left() + FFrames[i].Width()) throw GIFException(sBadWidth);
  // A frame reaching past 65535 cannot be placed on any logical screen.
  if (value > 0xFFFF) throw GIFException(sScreenSizeExceeded);
  if (value == Width()) return;
  FHeader.SetScreenWidth(static_cast<std::uint16_t>(value));
  FreeViewBitmap();
  Changed();
}

void TGIFImage::SetHeight(int value) {
  for (int i = 0; i < FFrames.Count(); ++i)
    if (value < FFrames[i].Top() + FFrames[i].Height()) throw GIFException(sBadHeight);
  if (value > 0xFFFF) throw GIFException(sScreenSizeExceeded);
  if (value == Height()) return;
  FHeader.SetScreenHeight(static_cast<std::uint16_t>(value));
  FreeViewBitmap();
  Changed();
}

void TGIFImage::Clear() {
  StopAllPainters();
  FFrames.Clear();
  FHeader.Clear();
  FPalette.reset();
}

void TGIFImage::LoadFromStream(TStream& stream) {
  Clear();
  const std::int64_t start = stream.Position();
  try {
    ReadHeader(stream, FHeader);
    ReadFrames(stream, FFrames, this);
    TGIFTrailer trailer(this);
    ReadTrailer(stream, trailer);
  } catch (...) {
    stream.SetPosition(start);
    throw;
  }
}

void TGIFImage::LoadFile(const std::string& fileName) { LoadFromFile(fileName); }

std::unique_ptr<TGraphic> TGIFImage::Clone() const {
  auto copy = std::make_unique<TGIFImage>();
  copy->Assign(this);
  return copy;
}

void TGIFImage::Assign(const TGIFImage* source) {
  if (source == this) return;
  Clear();
  if (source == nullptr) return;
  // The source's handler hears about the copy's warnings while it is made.
  TGIFWarningHandler ownHandler = std::exchange(FWarningHandler, source->FWarningHandler);
  try {
    FHeader.Assign(source->FHeader);
    FPainterPriority = source->FPainterPriority;
    FBackdropColor = source->FBackdropColor;
    FDrawFlags = source->FDrawFlags;
    FReductionMethod = source->FReductionMethod;
    FDitherKind = source->FDitherKind;
    for (int i = 0; i < source->FFrames.Count(); ++i) {
      auto frame = std::make_unique<TGIFSubImage>(this);
      frame->Assign(source->FFrames[i]);
      FFrames.Add(std::move(frame));
    }
  } catch (...) {
    FWarningHandler = std::move(ownHandler);
    throw;
  }
  FWarningHandler = std::move(ownHandler);
}

void TGIFImage::CopyExtensions(const TGIFSubImage& from, TGIFSubImage& to) {
  // Written and read back, the copies are exactly what a saved file would give.
  TMemoryStream blocks;
  for (int i = 0; i < from.ExtList().Count(); ++i) WriteExtension(blocks, from.ExtList()[i]);
  blocks.SetPosition(0);
  ReadExtensions(blocks, to);
}

void TGIFImage::Warning(TPersistent* sender, std::uint8_t severity, const std::string& message) {
  if (FWarningHandler) FWarningHandler(sender, severity, message);
}

std::int64_t TGIFImage::PixelsExcept(const TGIFSubImage* frame) const {
  std::int64_t total = 0;
  for (int i = 0; i < FFrames.Count(); ++i)
    if (&FFrames[i] != frame) total += FFrames[i].PixelCount();
  return total;
}
