#include "StripComposition.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "BlackAndWhite.h"
#include "BmxStrip.h"
#include "ColourScreen.h"
#include "MonoScreen.h"
#include "Scaling.h"
#include "ShownFrames.h"

namespace {

bool OwnSize(const TGIFImage& gif, const StripOptions& options) {
  return options.TargetWidth == 0 || options.TargetHeight == 0 ||
         (options.TargetWidth == gif.Width() && options.TargetHeight == gif.Height());
}

// Calls put(k, screen) for each band k, with the screen showing its frame.
template <class TScreen, class TCellOf, class TPut>
void ShowBands(TGIFImage& gif, TScreen& screen, const std::array<int, 4>& frames, bool asStored, TCellOf cellOf, TPut put) {
  if (asStored) {
    for (int k = 0; k < StripFrameCount; ++k) {
      DrawAsStored(gif, screen, frames[static_cast<std::size_t>(k)], cellOf);
      put(k, screen);
    }
    return;
  }
  std::vector<bool> wanted(static_cast<std::size_t>(*std::max_element(frames.begin(), frames.end()) + 1), false);
  for (const int number : frames) wanted[static_cast<std::size_t>(number)] = true;
  ComposeAsShown(gif, screen, wanted, cellOf, [&](int number, const TScreen& shown) {
    for (int k = 0; k < StripFrameCount; ++k)
      if (frames[static_cast<std::size_t>(k)] == number) put(k, shown);
  });
}

void ComposeInBlackAndWhite(TGIFImage& gif, const std::array<int, 4>& frames, const StripOptions& options, TBitmap& strip) {
  TMonoScreen screen(gif.Width(), gif.Height());
  const std::size_t rowBytes = static_cast<std::size_t>(screen.Image().RowBytes());
  ShowBands(gif, screen, frames, options.AsStored, [&](TColor colour) { return WhiteByPixelRule(colour, options); },
            [&](int k, const TMonoScreen& shown) {
              for (int y = 0; y < shown.Height(); ++y)
                std::memcpy(strip.ScanLine(k * shown.Height() + y), shown.Image().ScanLine(y), rowBytes);
            });
}

void ComposeInColour(TGIFImage& gif, const std::array<int, 4>& frames, const StripOptions& options, TBandSize band,
                     TBitmap& strip) {
  TColourScreen screen(gif.Width(), gif.Height());
  ShowBands(gif, screen, frames, options.AsStored, [](TColor colour) { return colour; },
            [&](int k, const TColourScreen& shown) {
              const TColourPicture& picture = shown.Picture();
              const bool same = picture.Width == band.Width && picture.Height == band.Height;
              // A screen without pixels leaves nothing to scale: the band is white.
              const TColourPicture fitted = same ? picture
                                            : picture.Pixels.empty()
                                                ? TColourPicture(band.Width, band.Height, clWhite)
                                                : FitPicture(picture, band.Width, band.Height, options.Fit);
              PutBlackAndWhite(fitted, options, strip, k * band.Height);
            });
}

}  // namespace

TBandSize BandSizeOf(const TGIFImage& gif, const StripOptions& options) {
  if (OwnSize(gif, options)) return {gif.Width(), gif.Height()};
  return {options.TargetWidth, options.TargetHeight};
}

std::unique_ptr<TBitmap> MakeStrip(TGIFImage& gif, const std::array<int, 4>& frames, const StripOptions& options) {
  const TBandSize band = BandSizeOf(gif, options);
  auto strip = std::make_unique<TBitmap>();
  // Made black and white while it has no pixels, it grows white at 1 bit per pixel.
  strip->SetMonochrome(true);
  strip->SetHeight(StripFrameCount * band.Height);
  strip->SetWidth(band.Width);
  if (strip->Empty()) return strip;
  if (OwnSize(gif, options) && PixelByPixel(options.Mono))
    ComposeInBlackAndWhite(gif, frames, options, *strip);
  else
    ComposeInColour(gif, frames, options, band, *strip);
  return strip;
}
