// TGIFImage: creation, copies, reading and writing (through io/), the still
// picture and palette, progress, and frames taken in. Drawing and painters
// are in GIFImagePaint.cpp.
#include "GIFImage.h"

#include "Canvas.h"
#include "FixedPalettes.h"
#include "FlagScope.h"
#include "GIFBlockIO.h"
#include "GIFPainterList.h"
#include "MemoryStream.h"

namespace {

// (written * 100 / count), rounded to the nearest percent.
int PercentDone(int written, int count) { return (written * 200 + count) / (2 * count); }

}  // namespace

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

void TGIFImage::SaveToStream(TStream& stream) {
  bool ending = false;
  try {
    Progress(sProgressSaving, TProgressStage::psStarting, 0);
    WriteHeader(stream, FHeader);
    const int count = FFrames.Count();
    for (int i = 0; i < count; ++i) {
      WriteFrame(stream, FFrames[i]);
      Progress(sProgressSaving, TProgressStage::psRunning, PercentDone(i + 1, count));
    }
    WriteTrailer(stream);
    ending = true;
    Progress(sProgressSaving, TProgressStage::psEnding, 100);
  } catch (...) {
    if (!ending) {
      // The failure is what the caller hears about, even if the observer
      // objects to the ending as well.
      try {
        Progress(sProgressSaving, TProgressStage::psEnding, 0);
      } catch (...) {
      }
    }
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

bool TGIFImage::UseDithering() const {
  if ((FDrawFlags & DrawOption::Dither) == 0) return false;
  if ((FDrawFlags & DrawOption::AutoDither) != 0) return AutoDitherDisplay;
  return true;
}

std::optional<TPalette> TGIFImage::DocumentPalette() {
  // Frame 0 without a table of its own asks the document back.
  if (FInPaletteQuery) throw GIFException(sNoColorTable);
  if (FViewBitmap) {
    TPalette own = FViewBitmap->Palette();
    if (own.Count() > 0) return own;
  }
  if (FPalette) return FPalette;
  if (UseDithering()) return FPalette = CubePalette();
  if (GlobalColorMap().Count() > 0) return FPalette = GlobalColorMap().MakePalette();
  if (Empty()) return std::nullopt;
  const TFlagScope querying(FInPaletteQuery);
  return FFrames[0].FramePalette();
}

TBitmap* TGIFImage::Bitmap() {
  if (Empty()) return nullptr;
  if (FViewBitmap) return FViewBitmap.get();
  TGIFSubImage& first = FFrames[0];
  // An aborted rendering of frame 0 leaves no picture to keep.
  if (!first.Empty() && first.Bitmap() == nullptr) return nullptr;
  // Made aside and kept only when complete, so a failure leaves no half picture.
  auto bitmap = std::make_unique<TBitmap>();
  if (first.Width() == Width() && first.Height() == Height()) {
    first.AssignTo(*bitmap);
  } else {
    if (const std::optional<TPalette> palette = DocumentPalette()) bitmap->SetPalette(*palette);
    bitmap->SetHeight(Height());
    bitmap->SetWidth(Width());
    first.Draw(bitmap->Canvas(), Rect(0, 0, Width(), Height()), false, false);
  }
  bitmap->OnChange = [this](TGraphic&) { Changed(); };
  FViewBitmap = std::move(bitmap);
  return FViewBitmap.get();
}

void TGIFImage::AssignTo(TBitmap& bitmap) {
  const TBitmap* own = Bitmap();
  bitmap.Assign(own != nullptr ? *own : TBitmap());
}

void TGIFImage::Progress(const std::string& text, TProgressStage stage, int percent) {
  if (FOnProgress) FOnProgress(text, stage, percent);
}

int TGIFImage::AppendFrame(TGraphic& source) {
  // The frame is ours before it is in Frames: a failed import frees it.
  auto frame = std::make_unique<TGIFSubImage>(this);
  frame->LoadFromGraphic(source);
  return AddFrame(std::move(frame));
}

int TGIFImage::AppendFrame(std::unique_ptr<TGIFSubImage> frame) {
  if (!frame) throw GIFException(sUnsupportedClass);
  if (frame->Image() != this) {
    auto own = std::make_unique<TGIFSubImage>(this);
    own->Assign(*frame);
    frame = std::move(own);
  }
  return AddFrame(std::move(frame));
}

int TGIFImage::AppendFrame(std::unique_ptr<TPersistent> source) {
  if (auto* frame = dynamic_cast<TGIFSubImage*>(source.get())) {
    std::unique_ptr<TGIFSubImage> owned(frame);
    static_cast<void>(source.release());
    return AppendFrame(std::move(owned));
  }
  throw GIFException(sUnsupportedClass);
}

int TGIFImage::AddFrame(std::unique_ptr<TGIFSubImage> frame) {
  FFrames.Add(std::move(frame));
  DropViewBitmap();
  Changed();
  return FFrames.Count() - 1;
}
