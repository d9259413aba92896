#include <cstdint>
#include <vector>

#include "GIFBlockIO.h"
#include "GIFException.h"
#include "GIFFrameEncoding.h"
#include "GIFHeader.h"
#include "GIFMessages.h"
#include "GIFPackedFields.h"
#include "GIFSubImage.h"

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
