#include "GIFFrameRendering.h"

#include <cstring>
#include <vector>

#include "ColorLookup.h"
#include "DitherFloydSteinberg.h"
#include "FixedPalettes.h"
#include "GIFDIB.h"

TRenderedFrame RenderIndices(const TFrameRaster& frame, const std::optional<TPalette>& palette,
                             std::optional<std::uint8_t> transparent, const TRenderRowReport& report) {
  TRenderedFrame rendered{std::make_unique<TBitmap>(), std::nullopt};
  TDIBWriter writer(*rendered.Bitmap, palette, frame.Width, frame.Height, TPixelFormat::pf8bit);
  if (transparent) rendered.Mask.emplace(frame.Width, frame.Height);
  for (int y = 0; y < frame.Height; ++y) {
    report(y);
    const std::uint8_t* indices = frame.Pixels + static_cast<std::size_t>(y) * frame.Width;
    std::memcpy(writer.RowAddress(y), indices, frame.Width);
    if (rendered.Mask) rendered.Mask->MarkRow(y, indices, *transparent);
  }
  writer.Finish();
  return rendered;
}

TRenderedFrame RenderIndicesDithered(const TFrameRaster& frame, const TIndexColors& colors,
                                     std::optional<std::uint8_t> transparent, const TRenderRowReport& report) {
  TRenderedFrame rendered{std::make_unique<TBitmap>(), std::nullopt};
  const int width = frame.Width;
  TNetscapeColorLookup lookup;
  TFloydSteinbergDitherer engine(width, lookup);
  // The pixels become cube indices, so the cube is their colour table even
  // when a palette of the frame's own table was made before.
  TDIBWriter writer(*rendered.Bitmap, CubePalette(), width, frame.Height, TPixelFormat::pf8bit);
  std::optional<TFrameMask>& mask = rendered.Mask;
  std::uint8_t fill = 0;
  if (transparent) {
    mask.emplace(width, frame.Height);
    // Transparent pixels show the cube's nearest colour to the transparent
    // one, so every index stays inside the cube.
    const TPaletteEntry& c = colors[*transparent];
    fill = lookup.MatchColor(c.peRed, c.peGreen, c.peBlue).Index;
  }
  std::vector<std::uint8_t> bgr(3 * static_cast<std::size_t>(width));
  for (int y = 0; y < frame.Height; ++y) {
    report(y);
    const std::uint8_t* indices = frame.Pixels + static_cast<std::size_t>(y) * width;
    std::uint8_t* target = writer.RowAddress(y);
    if (!mask) {
      for (int x = 0; x < width; ++x) {
        const TPaletteEntry& c = colors[indices[x]];
        bgr[3 * x] = c.peBlue;
        bgr[3 * x + 1] = c.peGreen;
        bgr[3 * x + 2] = c.peRed;
      }
      engine.QuantizeRow(bgr.data(), target);
      continue;
    }
    // Transparent pixels take no part in the diffusion: the engine steps
    // over them, in whichever direction this row runs.
    std::memset(target, fill, width);
    while (engine.InRow()) {
      const int x = engine.Column();
      if (indices[x] == *transparent) {
        mask->Set(x, y);
        engine.SkipPixel();
      } else {
        const TPaletteEntry& c = colors[indices[x]];
        target[x] = engine.QuantizePixel(c.peRed, c.peGreen, c.peBlue).Index;
      }
    }
    engine.EndRow();
  }
  writer.Finish();
  return rendered;
}
