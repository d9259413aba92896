#include "GIFHeader.h"

#include <algorithm>

#include "GIFDocument.h"
#include "GIFImageList.h"
#include "GIFSubImage.h"
#include "GIFPackedFields.h"

void TGIFHeader::Clear() {
  FGlobalMap.Clear();
  FScreenWidth = 0;
  FScreenHeight = 0;
  UpdateScreenFlags();
}

int TGIFHeader::LargestTableBits() const {
  int bits = FGlobalMap.BitsPerPixel();
  if (Image() != nullptr)
    for (int i = 0; i < Image()->Frames().Count(); ++i)
      bits = std::max(bits, Image()->Frames()[i].LocalMap().BitsPerPixel());
  return bits;
}

void TGIFHeader::UpdateScreenFlags() {
  const int bits = LargestTableBits();
  // An empty table counts with 0 bits, so the fields wrap to 7 as the writer expects.
  int flags = (((bits - 1) << ScreenFlag::ColorResolutionShift) & ScreenFlag::ColorResolution) |
              ((bits - 1) & ScreenFlag::TableSize);
  if (FGlobalMap.Count() > 0) {
    // The size announces the global table as it is written, also when a
    // local table is larger: a reader takes exactly that many entries.
    flags = (flags & ScreenFlag::ColorResolution) | ScreenFlag::GlobalTable |
            ((FGlobalMap.BitsPerPixel() - 1) & ScreenFlag::TableSize);
    if (FGlobalMap.IsSorted()) flags |= ScreenFlag::Sorted;
  }
  FScreenFlags = static_cast<std::uint8_t>(flags);
}

int TGIFHeader::DocumentVersion() const {
  int version = 0;
  if (Image() == nullptr) return version;
  for (int i = 0; i < Image()->Frames().Count(); ++i) version = std::max(version, Image()->Frames()[i].Version());
  return version;
}

void TGIFHeader::Assign(const TGIFHeader& source) {
  if (&source == this) return;
  FScreenWidth = source.FScreenWidth;
  FScreenHeight = source.FScreenHeight;
  FScreenFlags = source.FScreenFlags;
  FBackgroundIndex = source.FBackgroundIndex;
  FAspectRatio = source.FAspectRatio;
  FGlobalMap.Assign(source.FGlobalMap);
}
