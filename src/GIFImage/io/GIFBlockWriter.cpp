#include <cstdint>
#include <vector>

#include "GIFBlockIO.h"
#include "GIFFrameEncoding.h"
#include "GIFImage.h"
#include "GIFPackedFields.h"
#include "Stream.h"

namespace {

// (written * 100 / count), rounded to the nearest percent.
int PercentDone(int written, int count) { return (written * 200 + count) / (2 * count); }

}  // namespace

// Kept here until the document's own file takes it.
void TGIFImage::SaveToStream(TStream& stream) {
  bool ending = false;
  try {
    Progress(sProgressSaving, TProgressStage::psStarting, 0);
    WriteHeader(stream, FHeader);
    const int count = FFrames.Count();
    for (int i = 0; i < count; ++i) {
      WriteFrame(stream, FFrames[i]);
      Progress(sProgressSaving, TProgressStage::psRunning, PercentDone(i + 1, count));
    }
    WriteTrailer(stream);
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

void WriteHeader(TStream& stream, TGIFHeader& header) {
  const int version = header.DocumentVersion();
  if (version == 0) throw GIFException(sBadVersion);
  stream.WriteBuffer(version == 1 ? "GIF87a" : "GIF89a", 6);
  header.UpdateScreenFlags();
  stream.WriteWord(header.ScreenWidth());
  stream.WriteWord(header.ScreenHeight());
  stream.WriteByte(header.ScreenFlags());
  stream.WriteByte(header.BackgroundIndex());
  stream.WriteByte(header.AspectRatio());
  if ((header.ScreenFlags() & ScreenFlag::GlobalTable) != 0) WriteColorTable(stream, header.GlobalMap());
}

void WriteColorTable(TStream& stream, const TGIFColorMap& map) {
  const std::vector<TGIFColor>& entries = map.Entries();
  if (entries.empty()) return;
  std::vector<std::uint8_t> bytes(3u << map.BitsPerPixel(), 0);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    bytes[3 * i] = entries[i].Red;
    bytes[3 * i + 1] = entries[i].Green;
    bytes[3 * i + 2] = entries[i].Blue;
  }
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void WriteFrame(TStream& stream, TGIFSubImage& frame) {
  for (int i = 0; i < frame.ExtList().Count(); ++i) WriteExtension(stream, frame.ExtList()[i]);
  if (frame.Empty()) return;
  frame.UpdateImageFlags();
  // A frame read behind a stray byte holds that byte as its separator;
  // written, it would make the file unreadable.
  const std::uint16_t left = frame.Left(), top = frame.Top(), width = frame.Width(), height = frame.Height();
  const std::uint8_t descriptor[10] = {
      bsImageSeparator,
      static_cast<std::uint8_t>(left), static_cast<std::uint8_t>(left >> 8),
      static_cast<std::uint8_t>(top), static_cast<std::uint8_t>(top >> 8),
      static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
      static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8),
      frame.Flags()};
  stream.WriteBuffer(descriptor, sizeof descriptor);
  WriteColorTable(stream, frame.LocalMap());
  EncodeFrameData(frame, stream);
}

void WriteTrailer(TStream& stream) { stream.WriteByte(bsTrailer); }
