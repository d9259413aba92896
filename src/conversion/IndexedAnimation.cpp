#include "IndexedAnimation.h"

#include <algorithm>
#include <unordered_map>

namespace {

TIndexedFrame IndexFrame(const TGIFImage& document, TBitmap& picture) {
  TGIFImage scratch;
  scratch.SetReductionMethod(document.ReductionMethod());
  scratch.SetReductionDepth(document.ReductionDepth());
  scratch.SetDitherKind(document.DitherKind());
  scratch.AppendFrame(picture);
  TGIFSubImage& imported = scratch.Frames()[0];
  TIndexedFrame frame;
  if (imported.Empty()) return frame;
  frame.Width = imported.Width();
  frame.Height = imported.Height();
  frame.Colors = imported.LocalMap().Entries();
  frame.Indices.assign(imported.Pixels(), imported.Pixels() + imported.PixelCount());
  return frame;
}

std::uint32_t KeyOf(const TGIFColor& color) {
  return static_cast<std::uint32_t>(color.Red) << 16 | static_cast<std::uint32_t>(color.Green) << 8 | color.Blue;
}

// The indices a frame uses, each once, in order of first use.
std::vector<std::uint8_t> UsedIndices(const TIndexedFrame& frame) {
  std::array<bool, MaxGIFColors> seen{};
  std::vector<std::uint8_t> used;
  for (const std::uint8_t index : frame.Indices)
    if (!seen[index]) {
      seen[index] = true;
      used.push_back(index);
    }
  return used;
}

// Adds the colours of the used indices to the table; the old-to-new index
// table. Past 256 colours the table is not used, and the indices it gives
// are only held in range.
TColorRemap GatherColors(const std::vector<TGIFColor>& colors, const std::vector<std::uint8_t>& used,
                         std::vector<TGIFColor>& table, std::unordered_map<std::uint32_t, std::size_t>& places) {
  TColorRemap remap{};
  for (const std::uint8_t index : used) {
    const TGIFColor color = ColorIn(colors, index);
    const auto [place, added] = places.try_emplace(KeyOf(color), table.size());
    if (added) table.push_back(color);
    remap[index] = static_cast<std::uint8_t>(std::min<std::size_t>(place->second, MaxGIFColors - 1));
  }
  return remap;
}

void Remap(TIndexedFrame& frame, const TColorRemap& remap) {
  for (std::uint8_t& index : frame.Indices) index = remap[index];
}

}  // namespace

TIndexedAnimation IndexFrames(const TGIFImage& document, const std::array<TBitmap*, 4>& pictures) {
  TIndexedAnimation animation;
  for (TBitmap* picture : pictures) animation.Frames.push_back(IndexFrame(document, *picture));
  return animation;
}

void CompactColors(TIndexedAnimation& animation) {
  std::vector<std::vector<std::uint8_t>> used;
  for (const TIndexedFrame& frame : animation.Frames) used.push_back(UsedIndices(frame));
  std::vector<TGIFColor> shared;
  std::unordered_map<std::uint32_t, std::size_t> places;
  std::vector<TColorRemap> remaps;
  for (std::size_t k = 0; k < animation.Frames.size(); ++k)
    remaps.push_back(GatherColors(animation.ColorsOf(animation.Frames[k]), used[k], shared, places));
  if (shared.size() <= MaxGIFColors) {
    for (std::size_t k = 0; k < animation.Frames.size(); ++k) {
      Remap(animation.Frames[k], remaps[k]);
      animation.Frames[k].Colors.clear();
    }
    animation.SharedColors = std::move(shared);
    return;
  }
  for (std::size_t k = 0; k < animation.Frames.size(); ++k) {
    TIndexedFrame& frame = animation.Frames[k];
    std::vector<TGIFColor> own;
    std::unordered_map<std::uint32_t, std::size_t> ownPlaces;
    Remap(frame, GatherColors(animation.ColorsOf(frame), used[k], own, ownPlaces));
    frame.Colors = std::move(own);
  }
  animation.SharedColors.clear();
}
