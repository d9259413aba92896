#include "ColorQuantizer.h"

#include <stdexcept>

#include "Exception.h"
#include "PlatformMessages.h"
#include "SystemPalettes.h"

namespace {

// The system colours that lead and close a palette built with them.
constexpr int SystemColorsEachEnd = 10;
constexpr int ColorsBetweenSystemColors = MaxPaletteEntries - 2 * SystemColorsEachEnd;

void CollectLeaves(const TOctreeNode& node, std::vector<TPaletteEntry>& colors) {
  if (node.IsLeaf) {
    TPaletteEntry color;
    if (node.PixelCount > 0) {
      color.peRed = static_cast<std::uint8_t>(node.RedSum / node.PixelCount);
      color.peGreen = static_cast<std::uint8_t>(node.GreenSum / node.PixelCount);
      color.peBlue = static_cast<std::uint8_t>(node.BlueSum / node.PixelCount);
    }
    colors.push_back(color);
    return;
  }
  for (const auto& child : node.Children)
    if (child) CollectLeaves(*child, colors);
}

}  // namespace

TColorQuantizer::TColorQuantizer(int maxColors, int colorBits) : FMaxColors(maxColors), FColorBits(colorBits) {
  if (colorBits < 1 || colorBits > MaxColorBits) throw std::invalid_argument("colour bits outside 1..8");
}

TOctreeNode& TColorQuantizer::MakeNode(std::unique_ptr<TOctreeNode>& slot, int level) {
  slot = std::make_unique<TOctreeNode>();
  if (level == FColorBits) {
    slot->IsLeaf = true;
    ++FLeafCount;
  } else {
    slot->NextReducible = FReducible[static_cast<std::size_t>(level)];
    FReducible[static_cast<std::size_t>(level)] = slot.get();
  }
  return *slot;
}

void TColorQuantizer::AddColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  std::unique_ptr<TOctreeNode>* slot = &FRoot;
  for (int level = 0;; ++level) {
    TOctreeNode& node = *slot ? **slot : MakeNode(*slot, level);
    if (node.IsLeaf) {
      ++node.PixelCount;
      node.RedSum += red;
      node.GreenSum += green;
      node.BlueSum += blue;
      break;
    }
    const int shift = 7 - level;
    const int child = (((red >> shift) & 1) << 2) | (((green >> shift) & 1) << 1) | ((blue >> shift) & 1);
    slot = &node.Children[static_cast<std::size_t>(child)];
  }
  // With a maximum below 1 the folding ends at the root, a single leaf.
  while (FLeafCount > FMaxColors && ReduceOnce()) {
  }
}

bool TColorQuantizer::ReduceOnce() {
  int level = FColorBits - 1;
  while (level > 0 && FReducible[static_cast<std::size_t>(level)] == nullptr) --level;
  TOctreeNode* node = FReducible[static_cast<std::size_t>(level)];
  if (node == nullptr) return false;
  FReducible[static_cast<std::size_t>(level)] = node->NextReducible;
  node->NextReducible = nullptr;

  int children = 0;
  for (auto& child : node->Children) {
    if (!child) continue;
    node->PixelCount += child->PixelCount;
    node->RedSum += child->RedSum;
    node->GreenSum += child->GreenSum;
    node->BlueSum += child->BlueSum;
    child.reset();
    ++children;
  }
  node->IsLeaf = true;
  FLeafCount -= children - 1;
  return true;
}

void TColorQuantizer::ProcessImage(const TPixelImage& image) {
  for (int y = 0; y < image.Height(); ++y) {
    if (image.BitCount() == 24) {
      const std::uint8_t* pixel = image.ScanLine(y);
      for (int x = 0; x < image.Width(); ++x, pixel += 3) AddColor(pixel[2], pixel[1], pixel[0]);
    } else {
      for (int x = 0; x < image.Width(); ++x) {
        const TColor color = image.GetPixel(x, y);
        AddColor(GetRValue(color), GetGValue(color), GetBValue(color));
      }
    }
  }
}

std::vector<TPaletteEntry> TColorQuantizer::Colors() const {
  std::vector<TPaletteEntry> colors;
  if (FRoot) CollectLeaves(*FRoot, colors);
  return colors;
}

TPalette BuildOctreePalette(const TPixelImage& image, int colors, int colorBits, bool withSystemColors) {
  if (colors < 0 || colors > MaxPaletteEntries) throw EOutOfResources(SOutOfResources);
  TColorQuantizer quantizer(withSystemColors ? ColorsBetweenSystemColors : colors, colorBits);
  quantizer.ProcessImage(image);
  std::vector<TPaletteEntry> found = quantizer.Colors();

  if (!withSystemColors) {
    found.resize(static_cast<std::size_t>(colors));
    return TPalette(std::move(found));
  }
  found.resize(ColorsBetweenSystemColors);
  const auto& system = DefaultSystemPalette().Entries();
  std::vector<TPaletteEntry> entries(system.begin(), system.begin() + SystemColorsEachEnd);
  entries.insert(entries.end(), found.begin(), found.end());
  entries.insert(entries.end(), system.end() - SystemColorsEachEnd, system.end());
  return TPalette(std::move(entries));
}
