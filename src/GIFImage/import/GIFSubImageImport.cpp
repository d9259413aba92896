// A frame made from a picture: the bitmap road (palette images keep their
// indices, all others are reduced first), the other sources that lead to it,
// and the transparency mask applied afterwards.
#include <algorithm>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

#include "Canvas.h"
#include "GIFDIB.h"
#include "GIFImage.h"
#include "GIFReduce.h"
#include "GIFRowImport.h"
#include "Picture.h"

namespace {

// Progress is told every this many rows.
constexpr int ProgressRows = 32;

// A frame's bounds are 16-bit fields.
constexpr int MaxFrameSide = 0xFFFF;

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

TReduction ReductionOf(const TGIFImage* document) {
  if (document == nullptr) return {};
  return {document->ReductionMethod(), document->DitherKind(), document->ReductionDepth()};
}

// A bitmap of a graphic that is not one: the graphic's own copy into a
// bitmap when it has one (a GIF document gives its still picture), else
// the graphic drawn onto a 24-bit bitmap of its size.
void CopyToBitmap(TGraphic& source, TBitmap& bitmap) {
  if (auto* document = dynamic_cast<TGIFImage*>(&source)) {
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

}  // namespace

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
  TGIFImage* document = Image();
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
    ReadImageRows(*FCachedBitmap, format, *this, [&notify, height](int row) {
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
