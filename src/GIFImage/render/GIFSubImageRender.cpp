// Rendering a frame's indices into a bitmap with a palette, and the
// transparency mask that comes with it. The plain rendering copies the rows of
// indices as they are; the dithered one maps each pixel's table colour into
// the 216-colour cube with Floyd-Steinberg error diffusion. The image is
// assembled row by row in one block of memory (TDIBWriter) and handed to the
// bitmap at once.
#include <array>
#include <cstring>
#include <vector>

#include "ColorLookup.h"
#include "DitherFloydSteinberg.h"
#include "Exception.h"
#include "FixedPalettes.h"
#include "GIFDIB.h"
#include "GIFException.h"
#include "GIFFrameMask.h"
#include "GIFImage.h"
#include "GIFMessages.h"

namespace {

// Progress is told every this many rows.
constexpr int ProgressRows = 32;

// Frames larger than this start as 1 bit per pixel, the cheapest surface.
constexpr std::int64_t LargeFramePixels = 500000;

// The colours of all 256 indices: the table's, black where it has none.
std::array<TGIFColor, 256> ColorsOfIndices(const TGIFColorMap& map) {
  std::array<TGIFColor, 256> colors{};
  for (int i = 0; i < map.Count(); ++i) colors[static_cast<std::size_t>(i)] = map.Entries()[static_cast<std::size_t>(i)];
  return colors;
}

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
  TGIFImage* document = Image();
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
  TGIFImage* document = Image();
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
  auto bitmap = std::make_unique<TBitmap>();
  TDIBWriter writer(*bitmap, FramePalette(), FWidth, FHeight, TPixelFormat::pf8bit);
  const std::optional<std::uint8_t> transparent = TakeMaskRequest();
  std::optional<TFrameMask> mask;
  if (transparent) mask.emplace(FWidth, FHeight);
  const std::uint8_t* pixels = Pixels();
  for (int y = 0; y < FHeight; ++y) {
    ReportRow(y);
    const std::uint8_t* indices = pixels + static_cast<std::size_t>(y) * FWidth;
    std::memcpy(writer.RowAddress(y), indices, FWidth);
    if (mask) mask->MarkRow(y, indices, *transparent);
  }
  KeepMask(mask);
  writer.Finish();
  return bitmap;
}

std::unique_ptr<TBitmap> TGIFSubImage::RenderDithered() {
  if (Empty()) return BitmapOfEmptyFrame();
  auto bitmap = std::make_unique<TBitmap>();
  TNetscapeColorLookup lookup;
  TFloydSteinbergDitherer engine(FWidth, lookup);
  // The pixels become cube indices, so the cube is their colour table even
  // when a palette of the frame's own table was made before.
  TDIBWriter writer(*bitmap, CubePalette(), FWidth, FHeight, TPixelFormat::pf8bit);
  const std::array<TGIFColor, 256> colors = ColorsOfIndices(ActiveColorMap());
  const std::optional<std::uint8_t> transparent = TakeMaskRequest();
  std::optional<TFrameMask> mask;
  std::uint8_t fill = 0;
  if (transparent) {
    mask.emplace(FWidth, FHeight);
    // Transparent pixels show the cube's nearest colour to the transparent
    // one, so every index stays inside the cube.
    const TGIFColor& c = colors[*transparent];
    fill = lookup.MatchColor(c.Red, c.Green, c.Blue).Index;
  }
  std::vector<std::uint8_t> bgr(3 * static_cast<std::size_t>(FWidth));
  const std::uint8_t* pixels = Pixels();
  for (int y = 0; y < FHeight; ++y) {
    ReportRow(y);
    const std::uint8_t* indices = pixels + static_cast<std::size_t>(y) * FWidth;
    std::uint8_t* target = writer.RowAddress(y);
    if (!mask) {
      for (int x = 0; x < FWidth; ++x) {
        const TGIFColor& c = colors[indices[x]];
        bgr[3 * x] = c.Blue;
        bgr[3 * x + 1] = c.Green;
        bgr[3 * x + 2] = c.Red;
      }
      engine.QuantizeRow(bgr.data(), target);
      continue;
    }
    // Transparent pixels take no part in the diffusion: the engine steps
    // over them, in whichever direction this row runs.
    std::memset(target, fill, FWidth);
    while (engine.InRow()) {
      const int x = engine.Column();
      if (indices[x] == *transparent) {
        mask->Set(x, y);
        engine.SkipPixel();
      } else {
        const TGIFColor& c = colors[indices[x]];
        target[x] = engine.QuantizePixel(c.Red, c.Green, c.Blue).Index;
      }
    }
    engine.EndRow();
  }
  KeepMask(mask);
  writer.Finish();
  return bitmap;
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
