// The frames of an animation as colour indices, on their way from the frame
// pictures to a GIF document: where each frame lies on the screen, its
// indices, its own colour table or none (then it takes the animation's shared
// table), and the index that leaves the pixel below as it was shown.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Bitmap.h"
#include "GIFImage.h"

struct TIndexedFrame {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::vector<TGIFColor> Colors;      // empty: the animation's shared table
  std::vector<std::uint8_t> Indices;  // Width * Height, rows top to bottom
  int TransparentIndex = -1;          // -1: every pixel is drawn

  bool Empty() const { return Width == 0 || Height == 0; }
};

struct TIndexedAnimation {
  std::vector<TGIFColor> SharedColors;  // the global table; empty when each frame keeps its own
  std::vector<TIndexedFrame> Frames;

  const std::vector<TGIFColor>& ColorsOf(const TIndexedFrame& frame) const {
    return frame.Colors.empty() ? SharedColors : frame.Colors;
  }
};

// The colour of an index in a table; an index beyond the table is black, as
// the black entries that fill a written table up to its size.
inline TGIFColor ColorIn(const std::vector<TGIFColor>& colors, std::uint8_t index) {
  return index < colors.size() ? colors[index] : TGIFColor{};
}

// Each picture as the codec's import makes it a frame of the document (the
// document's reduction settings apply): reduced to the 216-colour cube with
// the default settings, a 1-, 4- or 8-bit picture with its own colours. An
// empty picture gives an empty frame. Import failures pass through.
TIndexedAnimation IndexFrames(const TGIFImage& document, const std::array<TBitmap*, 4>& pictures);

// The smallest tables that hold the colours the frames use: one shared table
// of the colours in order of first use, no frame keeping a table of its own;
// when the frames use more than 256 colours together, each frame its own
// smallest table instead. The pictures stay as they were.
void CompactColors(TIndexedAnimation& animation);
