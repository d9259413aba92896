#include "GIFHeader.h"

#include <algorithm>

#include "GIFException.h"
#include "GIFImage.h"
#include "GIFMessages.h"
#include "GIFPackedFields.h"
#include "Stream.h"

namespace {

// The largest version of the document's frames; 0 without frames.
int DocumentVersion(const TGIFImage* image) {
  int version = 0;
  if (image == nullptr) return version;
  for (int i = 0; i < image->Frames().Count(); ++i) version = std::max(version, image->Frames()[i].Version());
  return version;
}

}  // namespace

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

void TGIFHeader::SaveToStream(TStream& stream) {
  const int version = DocumentVersion(Image());
  if (version == 0) throw GIFException(sBadVersion);
  stream.WriteBuffer(version == 1 ? "GIF87a" : "GIF89a", 6);
  UpdateScreenFlags();
  stream.WriteWord(FScreenWidth);
  stream.WriteWord(FScreenHeight);
  stream.WriteByte(FScreenFlags);
  stream.WriteByte(FBackgroundIndex);
  stream.WriteByte(FAspectRatio);
  if ((FScreenFlags & ScreenFlag::GlobalTable) != 0) FGlobalMap.WriteTable(stream);
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
