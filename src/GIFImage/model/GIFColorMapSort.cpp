// Sorting a colour table by use: the entries that most pixels use come first,
// entries that no pixel uses are dropped, and the pixels of every frame that
// uses the table are renumbered so that the picture stays the same.
#include <numeric>
#include <utility>

#include "GIFColorMap.h"
#include "GIFGraphicControlExtension.h"
#include "GIFHeader.h"
#include "GIFDocument.h"
#include "GIFImageList.h"
#include "GIFSubImage.h"

namespace {

// Quicksort by descending count, pivot at the middle position. Entries of
// equal count may change places, so the order is exactly this sort's.
void SortByCount(std::vector<TColorUse>& uses, int low, int high) {
  int i = low;
  int j = high;
  const int pivot = uses[static_cast<std::size_t>((low + high) / 2)].Count;
  do {
    while (uses[static_cast<std::size_t>(i)].Count > pivot) ++i;
    while (uses[static_cast<std::size_t>(j)].Count < pivot) --j;
    if (i <= j) {
      std::swap(uses[static_cast<std::size_t>(i)], uses[static_cast<std::size_t>(j)]);
      ++i;
      --j;
    }
  } while (i <= j);
  if (low < j) SortByCount(uses, low, j);
  if (i < high) SortByCount(uses, i, high);
}

bool InOwnPlaces(const std::vector<TColorUse>& uses) {
  for (std::size_t i = 0; i < uses.size(); ++i)
    if (uses[i].Index != static_cast<int>(i)) return false;
  return true;
}

}  // namespace

std::vector<TColorUse> TGIFColorMap::CountUses() {
  std::vector<TColorUse> uses(static_cast<std::size_t>(Count()));
  for (int i = 0; i < Count(); ++i) uses[static_cast<std::size_t>(i)].Index = i;
  for (TGIFSubImage* frame : Users()) {
    const std::uint8_t* pixels = frame->Pixels();
    if (pixels == nullptr) continue;
    // A pixel beyond the table's end has no entry to count for.
    for (std::int64_t p = 0; p < frame->PixelCount(); ++p)
      if (pixels[p] < uses.size()) ++uses[pixels[p]].Count;
  }
  return uses;
}

void TGIFColorMap::RemapPixels(const TColorRemap& table) {
  for (TGIFSubImage* frame : Users()) {
    std::uint8_t* pixels = frame->Pixels();
    if (pixels != nullptr)
      for (std::int64_t p = 0; p < frame->PixelCount(); ++p) pixels[p] = table[pixels[p]];
    TGIFGraphicControlExtension* control = frame->ControlBlock();
    if (frame->IsTransparent() && control != nullptr)
      control->SetTransparentIndex(table[control->TransparentIndex()]);
  }
}

bool TGIFColorMap::SortByUse() {
  if (Count() <= 1 || !CanSort()) return false;
  FIsSorted = true;
  std::vector<TColorUse> uses = CountUses();
  SortByCount(uses, 0, Count() - 1);
  if (InOwnPlaces(uses)) return true;

  TColorRemap remap;
  std::iota(remap.begin(), remap.end(), std::uint8_t{0});
  std::vector<TGIFColor> sorted(uses.size());
  int used = Count();
  for (std::size_t position = 0; position < uses.size(); ++position) {
    const auto entry = static_cast<std::size_t>(uses[position].Index);
    remap[entry] = static_cast<std::uint8_t>(position);
    sorted[position] = FEntries[entry];
    if (uses[position].Count == 0 && used == Count()) used = static_cast<int>(position);
  }
  RemapPixels(remap);
  sorted.resize(static_cast<std::size_t>(used));
  FEntries = std::move(sorted);
  Changed();
  return true;
}

std::vector<TGIFSubImage*> TGIFGlobalColorMap::Users() const {
  std::vector<TGIFSubImage*> users;
  if (FHeader == nullptr || FHeader->Image() == nullptr) return users;
  TGIFImageList& frames = FHeader->Image()->Frames();
  for (int i = 0; i < frames.Count(); ++i)
    if (&frames[i].ActiveColorMap() == this) users.push_back(&frames[i]);
  return users;
}

bool TGIFGlobalColorMap::CanSort() const {
  return FHeader != nullptr && FHeader->Image() != nullptr && FHeader->Image()->Frames().Count() > 0;
}

std::vector<TGIFSubImage*> TGIFLocalColorMap::Users() const {
  if (FSubImage == nullptr) return {};
  return {FSubImage};
}
