// The frame as a picture: its bitmap, mask and palette (rendering), drawing it
// onto a canvas, and making it from a picture (import).
#include <algorithm>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

#include "Canvas.h"
#include "Exception.h"
#include "FixedPalettes.h"
#include "GIFDIB.h"
#include "GIFDocument.h"
#include "GIFException.h"
#include "GIFFrameLayout.h"
#include "GIFFrameRendering.h"
#include "GIFGraphicControlExtension.h"
#include "GIFMessages.h"
#include "GIFReduce.h"
#include "GIFRowImport.h"
#include "GIFSettings.h"
#include "GIFSubImage.h"
#include "GIFTransparentBlit.h"
#include "Picture.h"

namespace {

// Progress is told every this many rows.
constexpr int ProgressRows = 32;

// Frames larger than this start as 1 bit per pixel, the cheapest surface.
constexpr std::int64_t LargeFramePixels = 500000;

// A frame's bounds are 16-bit fields.
constexpr int MaxFrameSide = 0xFFFF;

// The colours of all 256 indices: the table's, black where it has none.
TIndexColors ColorsOfIndices(const TGIFColorMap& map) {
  TIndexColors colors{};
  for (int i = 0; i < map.Count(); ++i) {
    const TGIFColor& c = map.Entries()[static_cast<std::size_t>(i)];
    colors[static_cast<std::size_t>(i)] = {c.Red, c.Green, c.Blue, 0};
  }
  return colors;
}

// The class name of an object, for the message of a refused assignment.
std::string ClassNameOf(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
  return status == 0 && name ? name.get() : type.name();
}

// The document's reduction settings, or the unit-wide ones for a frame
// that belongs to no document.
struct TReduction {
  std::uint8_t Method = DefaultReductionMethod;
  std::uint8_t DitherKind = DefaultDitherKind;
  int Depth = DefaultReductionDepth;
};

TReduction ReductionOf(const TGIFDocument* document) {
  if (document == nullptr) return {};
  return {document->ReductionMethod(), document->DitherKind(), document->ReductionDepth()};
}

// A bitmap of a graphic that is not one: the graphic's own copy into a
// bitmap when it has one (a GIF document gives its still picture), else
// the graphic drawn onto a 24-bit bitmap of its size.
void CopyToBitmap(TGraphic& source, TBitmap& bitmap) {
  if (auto* document = dynamic_cast<TGIFDocument*>(&source)) {
    try {
      document->AssignTo(bitmap);
      return;
    } catch (const Exception&) {
      // Drawing is the other way to get its picture.
    }
  }
  bitmap.SetHeight(source.Height());
  bitmap.SetWidth(source.Width());
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  source.Draw(bitmap.Canvas(), Rect(0, 0, source.Width(), source.Height()));
}

// The frame's local table as the row import fills it.
class TLocalTableFill final : public TImportColors {
public:
  explicit TLocalTableFill(TGIFColorMap& map) : FMap(map) {}
  void TakeImageColorTable(const TPixelImage& image) override { FMap.TakeImageColorTable(image); }
  void TakePalette(const TPalette& palette) override { FMap.TakePalette(palette); }
  int AddUniqueColor(TColor color) override { return FMap.AddUniqueColor(color); }

private:
  TGIFColorMap& FMap;
};

}  // namespace

TBitmap* TGIFSubImage::Bitmap() {
  if (FCachedBitmap) return FCachedBitmap.get();
  if (Empty()) return nullptr;
  try {
    FCachedBitmap = RenderWithProgress();
  } catch (const EAbort&) {
    return nullptr;
  }
  return FCachedBitmap.get();
}

// The rendering between the starting and the ending notification. A failure
// (an abort too) leaves neither bitmap nor mask behind and the mask due
// again, so that the next request renders the frame whole.
std::unique_ptr<TBitmap> TGIFSubImage::RenderWithProgress() {
  TGIFDocument* document = Image();
  const auto notify = [document](TProgressStage stage, int percent) {
    if (document != nullptr) document->Progress(sProgressRendering, stage, percent);
  };
  bool ending = false;
  try {
    notify(TProgressStage::psStarting, 0);
    std::unique_ptr<TBitmap> bitmap =
        document != nullptr && document->UseDithering() ? RenderDithered() : RenderIndexed();
    ending = true;
    notify(TProgressStage::psEnding, 100);
    return bitmap;
  } catch (...) {
    FMask.reset();
    FMaskPending = true;
    if (!ending) {
      // The failure is what the caller hears about, even if the observer
      // objects to the ending as well.
      try {
        notify(TProgressStage::psEnding, 0);
      } catch (...) {
      }
    }
    throw;
  }
}

std::optional<TPalette> TGIFSubImage::FramePalette() {
  if (FCachedBitmap) {
    TPalette own = FCachedBitmap->Palette();
    if (own.Count() > 0) return own;
  }
  if (FCachedPalette) return FCachedPalette;
  TGIFDocument* document = Image();
  if (document != nullptr && document->UseDithering()) return FCachedPalette = CubePalette();
  if (FLocalMap.Count() > 0) return FCachedPalette = FLocalMap.MakePalette();
  if (document == nullptr) return std::nullopt;
  return document->DocumentPalette();
}

std::unique_ptr<TBitmap> TGIFSubImage::BitmapOfEmptyFrame() {
  auto bitmap = std::make_unique<TBitmap>();
  if (std::int64_t{FWidth} * FHeight > LargeFramePixels) bitmap->SetMonochrome(true);
  bitmap->SetSize(FWidth, FHeight);
  if (const std::optional<TPalette> palette = FramePalette()) bitmap->SetPalette(*palette);
  return bitmap;
}

// The transparent index when this rendering is to make the mask. Whatever
// the answer, the mask is no longer due afterwards.
std::optional<std::uint8_t> TGIFSubImage::TakeMaskRequest() {
  const bool wanted = FMaskPending && FIsTransparent && !FMask && FControlBlock != nullptr;
  FMaskPending = false;
  if (!wanted) return std::nullopt;
  return FControlBlock->TransparentIndex();
}

// A mask without a single transparent pixel is not kept.
void TGIFSubImage::KeepMask(const std::optional<TFrameMask>& mask) {
  if (mask && mask->Any()) FMask = mask->MakeBitmap();
}

void TGIFSubImage::ReportRow(int y) {
  if (y % ProgressRows == 0 && Image() != nullptr)
    Image()->Progress(sProgressRendering, TProgressStage::psRunning, y * 100 / FHeight);
}

std::unique_ptr<TBitmap> TGIFSubImage::RenderIndexed() {
  if (Empty()) return BitmapOfEmptyFrame();
  const std::optional<TPalette> palette = FramePalette();
  const std::optional<std::uint8_t> transparent = TakeMaskRequest();
  TRenderedFrame rendered = RenderIndices(TFrameRaster{Pixels(), FWidth, FHeight}, palette, transparent, [this](int y) { ReportRow(y); });
  KeepMask(rendered.Mask);
  return std::move(rendered.Bitmap);
}

std::unique_ptr<TBitmap> TGIFSubImage::RenderDithered() {
  if (Empty()) return BitmapOfEmptyFrame();
  const TIndexColors colors = ColorsOfIndices(ActiveColorMap());
  const std::optional<std::uint8_t> transparent = TakeMaskRequest();
  TRenderedFrame rendered = RenderIndicesDithered(TFrameRaster{Pixels(), FWidth, FHeight}, colors, transparent, [this](int y) { ReportRow(y); });
  KeepMask(rendered.Mask);
  return std::move(rendered.Bitmap);
}

bool TGIFSubImage::HasMask() {
  if (FMaskPending && FIsTransparent) {
    if (!FCachedBitmap) Bitmap();
    // A bitmap that came from a copy or an import brought no mask.
    if (FMaskPending) MakeMask();
  }
  return FMask != nullptr;
}

void TGIFSubImage::MakeMask() {
  const std::optional<std::uint8_t> transparent = TakeMaskRequest();
  if (!transparent || Empty()) return;
  std::optional<TFrameMask> mask(std::in_place, FWidth, FHeight);
  const std::uint8_t* pixels = Pixels();
  for (int y = 0; y < FHeight; ++y) mask->MarkRow(y, pixels + static_cast<std::size_t>(y) * FWidth, *transparent);
  KeepMask(mask);
}

std::uint8_t TGIFSubImage::PixelIndex(int x, int y) {
  if (x < 0 || x >= FWidth) throw GIFException(sBadPixelCoordinates);
  return ScanLine(y)[x];
}

std::uint8_t* TGIFSubImage::ScanLine(int y) {
  if (y < 0 || y >= FHeight) throw GIFException(sBadPixelCoordinates);
  if (Pixels() == nullptr) {
    if (FWidth == 0) throw GIFException(sEmptyImage);
    AllocatePixels(0);
  }
  return Pixels() + static_cast<std::size_t>(y) * FWidth;
}

void TGIFSubImage::AssignTo(TBitmap& bitmap) {
  const TBitmap* own = Bitmap();
  bitmap.Assign(own != nullptr ? *own : TBitmap());
}

TRect TGIFSubImage::ScaledBounds(const TRect& rect) const {
  const int screenWidth = Image() != nullptr ? Image()->Width() : 0;
  const int screenHeight = Image() != nullptr ? Image()->Height() : 0;
  if (screenWidth <= 0 || screenHeight <= 0) return rect;
  return ScaledFrameBounds(rect, Bounds(FLeft, FTop, FWidth, FHeight), screenWidth, screenHeight);
}

// Unscaled, the bitmap at its own size at the frame's offset. Scaled, the
// whole screen is stretched over rect with the bitmap at the frame's place in
// it: each pixel of rect shows the screen pixel that stretching the whole
// screen puts there, the frame drawing only those it covers. So every frame
// shows a screen pixel on the same pixels of rect, and covers exactly its
// ScaledBounds, which is what disposal clears.
TGIFSubImage::TPlacement TGIFSubImage::PlacementIn(const TRect& rect) const {
  const TRect whole = Rect(0, 0, FWidth, FHeight);
  const int screenWidth = Image() != nullptr ? Image()->Width() : 0;
  const int screenHeight = Image() != nullptr ? Image()->Height() : 0;
  if (screenWidth <= 0 || screenHeight <= 0) return {rect, whole};
  if (std::int64_t{rect.Right} - rect.Left == screenWidth && std::int64_t{rect.Bottom} - rect.Top == screenHeight)
    return {ScaledBounds(rect), whole};
  return {rect, Rect(-FLeft, -FTop, screenWidth - FLeft, screenHeight - FTop)};
}

void TGIFSubImage::Draw(TCanvas& canvas, const TRect& rect, bool transparent, bool tile) {
  TBitmap* bitmap = Bitmap();
  if (bitmap == nullptr) return;
  const bool masked = transparent && FIsTransparent && HasMask();
  std::vector<TPlacement> placements;
  if (tile) {
    // A screen without size repeats the frame at its own size.
    const int stepX = Image() != nullptr && Image()->Width() > 0 ? Image()->Width() : FWidth;
    const int stepY = Image() != nullptr && Image()->Height() > 0 ? Image()->Height() : FHeight;
    const TRect clip = canvas.ClipRect();
    const std::vector<int> columns =
        CellStarts(std::int64_t{rect.Left} + FLeft, rect.Right, stepX, FWidth, clip.Left, clip.Right);
    const std::vector<int> rows =
        CellStarts(std::int64_t{rect.Top} + FTop, rect.Bottom, stepY, FHeight, clip.Top, clip.Bottom);
    for (int x : columns)
      for (int y : rows) placements.push_back({Bounds(x, y, FWidth, FHeight), Rect(0, 0, FWidth, FHeight)});
  } else {
    placements.push_back(PlacementIn(rect));
  }
  for (const TPlacement& placement : placements) {
    if (masked)
      TransparentFrameBlit(canvas, placement.Target, placement.Source, *bitmap, *FMask);
    else
      canvas.CopyImage(placement.Target, bitmap->Image(), placement.Source, bitmap->BackgroundColor());
  }
}

void TGIFSubImage::LoadFromGraphic(TGraphic& source) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(&source)) {
    LoadFromBitmap(*bitmap);
    return;
  }
  Clear();
  if (source.Empty()) return;
  TBitmap bitmap;
  CopyToBitmap(source, bitmap);
  LoadFromBitmap(bitmap);
}

void TGIFSubImage::LoadFromGraphic(TPicture& source) {
  if (source.Graphic() == nullptr)
    Clear();
  else
    LoadFromGraphic(*source.Graphic());
}

void TGIFSubImage::LoadFromGraphic(const TGIFSubImage* source) {
  if (source == this) return;
  if (source == nullptr)
    Clear();
  else
    Assign(*source);
}

void TGIFSubImage::LoadFromGraphic(const TPersistent& source) {
  if (const auto* frame = dynamic_cast<const TGIFSubImage*>(&source)) {
    LoadFromGraphic(frame);
    return;
  }
  const std::string message = FormatMessage(SAssignError, ClassNameOf(typeid(source)));
  throw Exception(FormatMessage(message, ClassNameOf(typeid(*this))));
}

void TGIFSubImage::LoadFromBitmap(TBitmap& source) {
  Clear();
  if (source.Empty()) return;
  TGIFDocument* document = Image();
  const auto notify = [document](TProgressStage stage, int percent) {
    if (document != nullptr) document->Progress(sProgressConverting, stage, percent);
  };
  bool ending = false;
  try {
    // A bitmap side beyond what a frame can hold would wrap around.
    if (source.Width() > MaxFrameSide || source.Height() > MaxFrameSide) throw GIFException(sBadDimension);
    // Width and height are set one after the other, as a frame's bounds
    // are: each edge that outgrows the logical screen warns on its own.
    SetBounds(0, 0, source.Width(), 0);
    SetBounds(0, 0, source.Width(), source.Height());
    TPixelFormat format = source.PixelFormat();
    if (IsIndexedFormat(format)) {
      FCachedBitmap = std::make_unique<TBitmap>(source);
    } else {
      const TReduction reduction = ReductionOf(document);
      FCachedBitmap = ReduceToIndexed(source, reduction.Method, reduction.DitherKind, reduction.Depth, nullptr);
      format = FCachedBitmap->PixelFormat();
    }
    notify(TProgressStage::psStarting, 0);
    const int height = FHeight;
    TLocalTableFill table(FLocalMap);
    ReadImageRows(*FCachedBitmap, format, {Pixels(), FWidth, FHeight}, table, [&notify, height](int row) {
      if (row % ProgressRows == 0)
        notify(TProgressStage::psRunning, static_cast<int>((std::int64_t{row} * 100 + height / 2) / height));
    });
    ending = true;
    notify(TProgressStage::psEnding, 100);
  } catch (...) {
    if (!ending) {
      // The failure is what the caller hears about, even if the observer
      // objects to the ending as well.
      try {
        notify(TProgressStage::psEnding, 0);
      } catch (...) {
      }
    }
    throw;
  }
}

void TGIFSubImage::ApplyMask(const TBitmap& mask) {
  FLocalMap.SortByUse();
  if (FLocalMap.Count() == 0 || FLocalMap.Count() == MaxGIFColors) return;
  const int transparent = FLocalMap.AddColor(clBlack);
  TBitmap bytes(mask);
  const TDIBReader reader(bytes, TPixelFormat::pf8bit);
  // A mask of another size covers only the part it shares with the frame.
  const int width = std::min<int>(FWidth, bytes.Width());
  const int height = std::min<int>(FHeight, bytes.Height());
  bool any = false;
  std::uint8_t* const pixels = Pixels();
  for (int y = 0; y < height && pixels != nullptr; ++y) {
    const std::uint8_t* row = reader.ScanLine(y);
    std::uint8_t* indices = pixels + static_cast<std::size_t>(y) * FWidth;
    for (int x = 0; x < width; ++x)
      if (row[x] != 0) {
        indices[x] = static_cast<std::uint8_t>(transparent);
        any = true;
      }
  }
  if (!any) {
    FLocalMap.Delete(transparent);
    return;
  }
  auto control = std::make_unique<TGIFGraphicControlExtension>(this);
  control->SetTransparent(true);
  control->SetTransparentIndex(static_cast<std::uint8_t>(transparent));
  FExtList.Add(std::move(control));
}
