// The octree colour quantiser and the palettes built with it.
//
// TColorQuantizer sorts the pixels of an image into an octree whose leaves
// sit at depth "colour bits" (8: one leaf per distinct colour). After every
// pixel, while there are more leaves than the maximum colour count, it folds
// the children of one node into that node: the deepest level that still has
// unfolded nodes gives up the node made there most recently. The tree thus
// never holds more than one leaf above the maximum, whatever the image.
// The quantiser owns the tree; each node owns its children.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "PixelImage.h"
#include "Palette.h"

struct TOctreeNode {
  std::uint32_t PixelCount = 0;
  // 64-bit so that a large single-coloured area cannot overflow a sum.
  std::uint64_t RedSum = 0;
  std::uint64_t GreenSum = 0;
  std::uint64_t BlueSum = 0;
  bool IsLeaf = false;
  // The next node of the same level in the quantiser's list of nodes that can
  // still be folded; not owned.
  TOctreeNode* NextReducible = nullptr;
  std::array<std::unique_ptr<TOctreeNode>, 8> Children;
};

class TColorQuantizer {
public:
  static constexpr int MaxColorBits = 8;

  // colorBits is the depth of the leaves, 1 to 8 (std::invalid_argument
  // otherwise); maxColors the number of leaves the tree may keep.
  TColorQuantizer(int maxColors, int colorBits);

  void AddColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
  // Adds every pixel of the image, rows from the top, each left to right.
  void ProcessImage(const TPixelImage& image);

  int LeafCount() const { return FLeafCount; }
  // One colour per leaf, the average of its pixels, in depth-first order with
  // the children taken in index order.
  std::vector<TPaletteEntry> Colors() const;

private:
  TOctreeNode& MakeNode(std::unique_ptr<TOctreeNode>& slot, int level);
  bool ReduceOnce();

  std::unique_ptr<TOctreeNode> FRoot;
  int FLeafCount = 0;
  std::array<TOctreeNode*, MaxColorBits> FReducible{};
  int FMaxColors;
  int FColorBits;
};

// A palette of the colours of an image (any depth; read as 24-bit RGB).
// Without system colours: `colors` entries (0 to 256), the quantiser's colours
// first. With system colours: 256 entries, the 10 leading colours of the
// default system palette, 236 quantiser colours, the 10 closing system
// colours. Entries the quantiser leaves unfilled are black; all flags are 0.
// Raises "Out of system resources" for a count outside 0..256.
TPalette BuildOctreePalette(const TPixelImage& image, int colors, int colorBits, bool withSystemColors);
