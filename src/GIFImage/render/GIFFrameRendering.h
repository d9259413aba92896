// Rendering a frame's indices into a bitmap with a palette, and the
// transparency mask that comes with it. The plain rendering copies the rows of
// indices as they are; the dithered one maps each pixel's table colour into
// the 216-colour cube with Floyd-Steinberg error diffusion. The image is
// assembled row by row in one block of memory (TDIBWriter) and handed to the
// bitmap at once.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "Bitmap.h"
#include "GIFFrameMask.h"
#include "Palette.h"

// A frame's indices: Width per row, Height rows in display order.
struct TFrameRaster {
  const std::uint8_t* Pixels = nullptr;
  int Width = 0;
  int Height = 0;
};

// The colours of all 256 indices.
using TIndexColors = std::array<TPaletteEntry, 256>;

// Called before each row is rendered, with its number; may raise to stop.
using TRenderRowReport = std::function<void(int row)>;

struct TRenderedFrame {
  std::unique_ptr<TBitmap> Bitmap;
  // Made only when a transparent index was given.
  std::optional<TFrameMask> Mask;
};

// An 8-bit image of the indices with the palette as its colour table; with
// a transparent index, also the mask of the pixels that carry it.
TRenderedFrame RenderIndices(const TFrameRaster& frame, const std::optional<TPalette>& palette,
                             std::optional<std::uint8_t> transparent, const TRenderRowReport& report);
// An 8-bit image of the cube indices nearest to the colours, Floyd-Steinberg
// dithered. With a transparent index its pixels take no part in the
// diffusion, show the cube's colour nearest to the transparent one, and are
// marked in the mask.
TRenderedFrame RenderIndicesDithered(const TFrameRaster& frame, const TIndexColors& colors,
                                     std::optional<std::uint8_t> transparent, const TRenderRowReport& report);
