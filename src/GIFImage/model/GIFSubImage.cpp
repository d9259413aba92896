#include "GIFSubImage.h"

#include <cstring>

#include "GIFException.h"
#include "GIFDocument.h"
#include "GIFHeader.h"
#include "GIFLZWDecoder.h"
#include "GIFMessages.h"
#include "GIFSettings.h"

TGIFSubImage::TGIFSubImage(TGIFDocument* image) : TGIFItem(image), FExtList(this), FLocalMap(this) {}

// The extensions go first, while the fields a graphic control extension
// updates on its way out are still there.
TGIFSubImage::~TGIFSubImage() { FExtList.Clear(); }

TGIFColorMap& TGIFSubImage::ActiveColorMap() {
  if (FLocalMap.Count() > 0) return FLocalMap;
  if (Image() != nullptr && Image()->GlobalColorMap().Count() > 0) return Image()->GlobalColorMap();
  return FLocalMap;
}

void TGIFSubImage::SetInterlaced(bool value) {
  FFlags = static_cast<std::uint8_t>(value ? FFlags | ImageFlag::Interlaced : FFlags & ~ImageFlag::Interlaced);
}

std::uint16_t TGIFSubImage::BoundsItem(int index) const {
  switch (index) {
    case 1: return FLeft;
    case 2: return FTop;
    case 3: return FWidth;
    case 4: return FHeight;
    default: return 0;
  }
}

void TGIFSubImage::TakeDescriptor(const TDescriptor& descriptor) {
  FSeparator = descriptor.Separator;
  FLeft = descriptor.Left;
  FTop = descriptor.Top;
  FWidth = descriptor.Width;
  FHeight = descriptor.Height;
  FFlags = descriptor.Flags;
  FHasImageDescriptor = true;
}

void TGIFSubImage::UpdateImageFlags() {
  if (FLocalMap.Count() > 0) {
    int flags = ImageFlag::LocalTable | ((FLocalMap.BitsPerPixel() - 1) & ImageFlag::TableSize);
    if (FLocalMap.IsSorted()) flags |= ImageFlag::Sorted;
    FFlags = static_cast<std::uint8_t>(flags);
  } else {
    FFlags &= ImageFlag::Interlaced | ImageFlag::Reserved;
  }
}

void TGIFSubImage::SetBounds(int left, int top, int width, int height) {
  const bool resized = width != FWidth || height != FHeight;
  FLeft = static_cast<std::uint16_t>(left);
  FTop = static_cast<std::uint16_t>(top);
  if (resized) {
    FreePixels();
    FWidth = static_cast<std::uint16_t>(width);
    FHeight = static_cast<std::uint16_t>(height);
    if (width > 0 && height > 0) AllocatePixels(0);
  }
  FHasImageDescriptor = true;
  if (Image() == nullptr) return;
  bool warned = false;
  if (Image()->Width() < FLeft + FWidth) {
    if (Image()->Width() > 0) {
      ReportWarning(WarningSeverity, sBadWidth);
      warned = true;
    }
    Image()->SetWidth(FLeft + FWidth);
  }
  if (Image()->Height() < FTop + FHeight) {
    if (Image()->Height() > 0) {
      ReportWarning(WarningSeverity, sBadHeight);
      warned = true;
    }
    Image()->SetHeight(FTop + FHeight);
  }
  if (warned) ReportWarning(WarningSeverity, sScreenSizeExceeded);
}

// Width * Height, once the frame and the document are known to have room
// for them (with no pixels of its own left, the frame counts for nothing).
std::int64_t TGIFSubImage::CheckedPixelCount() const {
  const std::int64_t count = std::int64_t{FWidth} * FHeight;
  if (count == 0) return 0;
  if (count > MaxFramePixels) throw GIFException(sFrameTooLarge);
  if (Image() != nullptr && Image()->PixelsExcept(this) + count > MaxDocumentPixels)
    throw GIFException(sDocumentTooLarge);
  return count;
}

void TGIFSubImage::AllocatePixels(std::uint8_t fill) {
  FreePixels();
  const std::int64_t count = CheckedPixelCount();
  if (count == 0) return;
  FPixels = AllocatePixelBuffer(static_cast<std::size_t>(count));
  FPixelCount = count;
  if (fill != 0) FUnwritten = TGIFUnwritten{0, fill, false};
}

void TGIFSubImage::LeaveUnwritten(const TGIFUnwritten& unwritten) {
  if (unwritten.From < FPixelCount) FUnwritten = unwritten;
}

// The codes were found clean when they were kept, so decoding them now has
// nothing to tell and cannot fail but for want of memory; the codes stay
// pending until the pixels are there.
void TGIFSubImage::DecodePendingPixels() const {
  const TGIFFrameCodes& codes = *FPendingCodes;
  TPixelBuffer pixels = AllocatePixelBuffer(static_cast<std::size_t>(FPixelCount));
  const TLZWDecoded decoded = DecodeFrameCodes(codes, {pixels.get(), static_cast<std::size_t>(FPixelCount)});
  FPixels = std::move(pixels);
  const TGIFUnwritten unwritten{static_cast<std::int64_t>(decoded.Reached), codes.Fill, codes.Interlaced};
  if (unwritten.From < FPixelCount) FUnwritten = unwritten;
  FPendingCodes.reset();
}

void TGIFSubImage::WriteUnwrittenPixels() const {
  WriteUnwritten(*FUnwritten, FPixels.get(), FWidth, FHeight);
  FUnwritten.reset();
}

TGIFSubImage::TDecodedRow TGIFSubImage::DecodedRow(int y) const {
  if (FPendingCodes) DecodePendingPixels();
  if (!FPixels) return {};
  const std::uint8_t* row = FPixels.get() + static_cast<std::size_t>(y) * FWidth;
  if (!FUnwritten) return {row, FWidth, 0};
  return {row, ReachedInRow(*FUnwritten, y, FWidth, FHeight), FUnwritten->Value};
}

void TGIFSubImage::DeferPixels(std::shared_ptr<const TGIFFrameCodes> codes) {
  FreePixels();
  const std::int64_t count = CheckedPixelCount();
  if (count == 0) return;
  FPendingCodes = std::move(codes);
  FPixelCount = count;
}

// What was rendered from the pixels goes with them, and codes still to decode too.
void TGIFSubImage::FreePixels() {
  FPixels.reset();
  FPendingCodes.reset();
  FUnwritten.reset();
  FPixelCount = 0;
  DropRendering();
}

void TGIFSubImage::DropRendering() {
  FCachedBitmap.reset();
  FMask.reset();
  FMaskPending = true;
}

bool TGIFSubImage::Empty() const {
  return (!FPixels && !FPendingCodes) || FPixelCount == 0 || FWidth == 0 || FHeight == 0;
}

void TGIFSubImage::Clear() {
  FExtList.Clear();
  FLocalMap.Clear();
  FreePixels();
  FWidth = 0;
  FHeight = 0;
  FHasImageDescriptor = false;
  FIsTransparent = false;
  FControlBlock = nullptr;
  FCachedPalette.reset();
}

int TGIFSubImage::Version() const { return FLocalMap.IsSorted() || FExtList.Count() > 0 ? 2 : 1; }

void TGIFSubImage::Assign(const TGIFSubImage& source) {
  if (&source == this) return;
  Clear();
  if (!source.Empty()) {
    TakeDescriptor({source.FSeparator, source.FLeft, source.FTop, source.FWidth, source.FHeight, source.FFlags});
    FIsTransparent = source.FIsTransparent;
    if (source.FPendingCodes) {
      DeferPixels(source.FPendingCodes);
    } else if (source.FUnwritten) {
      // Only what the data wrote is copied; the rest keeps waiting for its value.
      AllocatePixels(0);
      CopyWritten(*source.FUnwritten, source.FPixels.get(), FPixels.get(), FWidth, FHeight);
      FUnwritten = source.FUnwritten;
    } else {
      AllocatePixels(0);
      std::memcpy(FPixels.get(), source.FPixels.get(), static_cast<std::size_t>(FPixelCount));
    }
    FLocalMap.Assign(source.FLocalMap);
    // The mask is made again from the pixels when it is asked for.
    if (source.FCachedBitmap) FCachedBitmap = std::make_unique<TBitmap>(*source.FCachedBitmap);
  }
  // Extensions are copied also from a frame without an image (a trailing
  // comment), as saving and reading the document again would keep them. The
  // document copies them, as a saved file would give them.
  TGIFDocument* document = Image() != nullptr ? Image() : source.Image();
  if (source.FExtList.Count() > 0 && document != nullptr) document->CopyExtensions(source, *this);
}
