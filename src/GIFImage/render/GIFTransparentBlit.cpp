#include "GIFTransparentBlit.h"

#include "Bitmap.h"
#include "Canvas.h"

namespace {

TRect WholeOf(const TBitmap& bitmap) { return Rect(0, 0, bitmap.Width(), bitmap.Height()); }

// Puts a canvas's copy mode and its text and background colours back on
// every way out.
class TCanvasStateKeeper {
public:
  explicit TCanvasStateKeeper(TCanvas& canvas)
      : FCanvas(canvas), FMode(canvas.CopyMode), FText(canvas.Font.Color), FBackground(canvas.Brush.Color) {}
  ~TCanvasStateKeeper() {
    FCanvas.CopyMode = FMode;
    FCanvas.Font.Color = FText;
    FCanvas.Brush.Color = FBackground;
  }
  TCanvasStateKeeper(const TCanvasStateKeeper&) = delete;
  TCanvasStateKeeper& operator=(const TCanvasStateKeeper&) = delete;

private:
  TCanvas& FCanvas;
  TCopyMode FMode;
  TColor FText;
  TColor FBackground;
};

}  // namespace

void MaskedFrameBlit(TCanvas& canvas, const TRect& target, const TBitmap& source, const TBitmap& mask) {
  canvas.MaskCopy(target.Left, target.Top, source.Image(), mask.Image(), source.BackgroundColor());
}

void AndOrFrameBlit(TCanvas& canvas, const TRect& target, const TRect& sourceRect, const TBitmap& source,
                    const TBitmap& mask) {
  // The work copy holds the source's colours exactly in full colour; ANDing
  // the mask with white for its black (opaque) and black for its white
  // (transparent) pixels blackens just the transparent ones.
  TBitmap work(source);
  work.SetPixelFormat(TPixelFormat::pf24bit);
  TCanvas& workCanvas = work.Canvas();
  workCanvas.Font.Color = clWhite;
  workCanvas.Brush.Color = clBlack;
  workCanvas.CopyMode = TCopyMode::cmSrcAnd;
  workCanvas.CopyImage(WholeOf(work), mask.Image(), WholeOf(mask), clWhite);

  const TCanvasStateKeeper keeper(canvas);
  canvas.Font.Color = clBlack;
  canvas.Brush.Color = clWhite;
  canvas.CopyMode = TCopyMode::cmSrcAnd;
  canvas.CopyImage(target, mask.Image(), sourceRect, clWhite);
  canvas.CopyMode = TCopyMode::cmSrcPaint;
  canvas.CopyImage(target, work.Image(), sourceRect, source.BackgroundColor());
}

void TransparentFrameBlit(TCanvas& canvas, const TRect& target, const TRect& sourceRect, const TBitmap& source,
                          const TBitmap& mask) {
  if (sourceRect == WholeOf(source) && target.Width() == source.Width() && target.Height() == source.Height())
    MaskedFrameBlit(canvas, target, source, mask);
  else
    AndOrFrameBlit(canvas, target, sourceRect, source, mask);
}
