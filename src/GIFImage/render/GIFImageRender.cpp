// The document's still picture and palette, the choice between plain and
// dithered frame rendering, and progress notifications.
#include "Canvas.h"
#include "FixedPalettes.h"
#include "FlagScope.h"
#include "GIFImage.h"

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
