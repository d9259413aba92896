// Writing a GIF document block by block: the header with the logical screen
// and the global table, each frame with its extensions, descriptor, local
// table and image data, and the trailer. The writer chooses only the version,
// the packed flag bytes and the black entries that fill a colour table up to
// a power of two; everything else is written as the document holds it.
#include <cstdint>

#include "GIFFrameEncoding.h"
#include "GIFImage.h"
#include "GIFPackedFields.h"
#include "Stream.h"

namespace {

// (written * 100 / count), rounded to the nearest percent.
int PercentDone(int written, int count) { return (written * 200 + count) / (2 * count); }

}  // namespace

void TGIFImage::SaveToStream(TStream& stream) {
  bool ending = false;
  try {
    Progress(sProgressSaving, TProgressStage::psStarting, 0);
    FHeader.SaveToStream(stream);
    const int count = FFrames.Count();
    for (int i = 0; i < count; ++i) {
      FFrames[i].SaveToStream(stream);
      Progress(sProgressSaving, TProgressStage::psRunning, PercentDone(i + 1, count));
    }
    TGIFTrailer trailer(this);
    trailer.SaveToStream(stream);
    ending = true;
    Progress(sProgressSaving, TProgressStage::psEnding, 100);
  } catch (...) {
    if (!ending) {
      // The failure is what the caller hears about, even if the observer
      // objects to the ending as well.
      try {
        Progress(sProgressSaving, TProgressStage::psEnding, 0);
      } catch (...) {
      }
    }
    throw;
  }
}

void TGIFSubImage::UpdateImageFlags() {
  if (FLocalMap.Count() > 0) {
    int flags = ImageFlag::LocalTable | ((FLocalMap.BitsPerPixel() - 1) & ImageFlag::TableSize);
    if (FLocalMap.IsSorted()) flags |= ImageFlag::Sorted;
    FFlags = static_cast<std::uint8_t>(flags);
  } else {
    FFlags &= ImageFlag::Interlaced | ImageFlag::Reserved;
  }
}

void TGIFSubImage::SaveToStream(TStream& stream) {
  FExtList.SaveToStream(stream);
  if (Empty()) return;
  UpdateImageFlags();
  // A frame read behind a stray byte holds that byte as its separator;
  // written, it would make the file unreadable.
  const std::uint8_t descriptor[10] = {
      bsImageSeparator,
      static_cast<std::uint8_t>(FLeft), static_cast<std::uint8_t>(FLeft >> 8),
      static_cast<std::uint8_t>(FTop), static_cast<std::uint8_t>(FTop >> 8),
      static_cast<std::uint8_t>(FWidth), static_cast<std::uint8_t>(FWidth >> 8),
      static_cast<std::uint8_t>(FHeight), static_cast<std::uint8_t>(FHeight >> 8),
      FFlags};
  stream.WriteBuffer(descriptor, sizeof descriptor);
  FLocalMap.WriteTable(stream);
  EncodeFrameData(*this, stream);
}
