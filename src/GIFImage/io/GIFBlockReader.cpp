#include <cctype>
#include <vector>

#include "GIFBlockIO.h"
#include "GIFDocument.h"
#include "GIFException.h"
#include "GIFExtensionRegistry.h"
#include "GIFFrameDecoding.h"
#include "GIFHeader.h"
#include "GIFImageList.h"
#include "GIFMessages.h"
#include "GIFPackedFields.h"
#include "GIFSettings.h"
#include "GIFStreamIO.h"
#include "GIFSubImage.h"
#include "GIFTrailer.h"
#include "LittleEndian.h"

namespace {

// Any letter case, any version.
bool IsGIFSignature(const std::uint8_t* bytes) {
  return std::toupper(bytes[0]) == 'G' && std::toupper(bytes[1]) == 'I' && std::toupper(bytes[2]) == 'F';
}

// The class for the extension whose introducer was just read: the label's
// registered class, refined as long as the class keeps pointing further, each
// refinement looking at the bytes after those the one before took. The
// stream position is left unchanged.
const TGIFExtensionClass* ResolveExtensionClass(TStream& stream) {
  constexpr std::size_t Look = 12;  // what a refinement may look at
  const std::int64_t start = stream.Position();
  std::uint8_t label = 0;
  const TGIFExtensionClass* result = nullptr;
  if (ReadOneByte(stream, label)) {
    std::vector<std::uint8_t> bytes;
    std::size_t taken = 0;
    result = ExtensionList().Find(label);
    while (result != nullptr) {
      if (bytes.size() < taken + Look) {
        const std::size_t had = bytes.size();
        bytes.resize(taken + Look);
        bytes.resize(had + static_cast<std::size_t>(stream.ReadAvailable(bytes.data() + had,
                                                                           static_cast<std::int64_t>(taken + Look - had))));
      }
      std::span<const std::uint8_t> data(bytes.data() + taken, bytes.size() - taken);
      const TGIFExtensionClass* refined = result->RefineClass(*result, data);
      taken = bytes.size() - data.size();
      const bool settled = refined == result;
      result = refined;
      if (settled) break;
    }
  }
  stream.SetPosition(start);
  return result;
}

// Reads the byte that starts the next block, passing over the zero bytes some
// writers leave between blocks; false when the stream ends first.
bool ReadBlockStart(TStream& stream, std::uint8_t& value) {
  bool read = ReadOneByte(stream, value);
  while (read && value == 0) read = ReadOneByte(stream, value);
  return read;
}

// Passes over an extension whose label has no class, standing just after its
// introducer: the label, then its data sub-blocks up to the zero-size one, as
// decoders are to do with extensions they do not know. False, with the
// stream where it was, when the label has a class (whose data could not be
// told apart) or the sub-blocks run past the end of the stream.
bool SkipUnknownExtension(TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t label = 0;
  if (ReadOneByte(stream, label) && ExtensionList().Find(label) == nullptr) {
    std::uint8_t size = 0;
    while (ReadOneByte(stream, size) && size <= stream.Remaining()) {
      if (size == 0) return true;
      MoveBy(stream, size);
    }
  }
  stream.SetPosition(start);
  return false;
}

// The descriptor, local table and image data of a frame whose extensions were read.
void ReadImage(TStream& stream, TGIFSubImage& frame) {
  std::uint8_t bytes[10];
  ReadExact(stream, bytes, 10);
  const auto word = [&bytes](int at) { return LittleEndianWord(bytes + at); };
  TGIFSubImage::TDescriptor descriptor{bytes[0], word(1), word(3), word(5), word(7), bytes[9]};
  const bool sizeless = descriptor.Width == 0 || descriptor.Height == 0;
  if (sizeless && frame.Image() != nullptr) {
    descriptor.Width = static_cast<std::uint16_t>(frame.Image()->Width());
    descriptor.Height = static_cast<std::uint16_t>(frame.Image()->Height());
  }
  frame.TakeDescriptor(descriptor);
  if (sizeless) frame.ReportWarning(WarningSeverity, sScreenSizeExceeded);
  if ((descriptor.Flags & ImageFlag::LocalTable) != 0)
    ReadColorTable(stream, frame.LocalMap(), AnnouncedTableEntries(descriptor.Flags));
  // While its document reads, a frame is the next one of the document's frames.
  const TGIFDocument* document = frame.Image();
  const bool mayDefer = document != nullptr && document->Frames().Count() >= document->FramesDecodedOnLoad();
  ReadFrameData(frame, stream, mayDefer);
}

}  // namespace

void ReadHeader(TStream& stream, TGIFHeader& header) {
  const std::int64_t start = stream.Position();
  std::uint8_t signature[6];
  ReadExact(stream, signature, 6);
  if (!IsGIFSignature(signature)) {
    // A GIF may sit behind a 4-byte prefix.
    stream.SetPosition(start + 4);
    ReadExact(stream, signature, 6);
    if (!IsGIFSignature(signature)) throw GIFException(sBadSignature);
  }
  std::uint8_t descriptor[7];
  ReadExact(stream, descriptor, 7);
  header.SetScreenWidth(LittleEndianWord(descriptor));
  header.SetScreenHeight(LittleEndianWord(descriptor + 2));
  header.SetScreenFlags(descriptor[4]);
  header.SetBackgroundIndex(descriptor[5]);
  header.SetAspectRatio(descriptor[6]);
  if ((descriptor[4] & ScreenFlag::GlobalTable) != 0) {
    ReadColorTable(stream, header.GlobalMap(), AnnouncedTableEntries(descriptor[4]));
  } else {
    header.GlobalMap().Clear();
  }
}

void ReadColorTable(TStream& stream, TGIFColorMap& map, int count) {
  if (count < 0 || count > MaxGIFColors) throw GIFException(sTooManyColors);
  map.Clear();
  std::uint8_t bytes[3 * MaxGIFColors];
  ReadExact(stream, bytes, 3 * count);
  std::vector<TGIFColor> entries;
  entries.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) entries.push_back({bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]});
  map.TakeEntries(entries);
}

void ReadFrames(TStream& stream, TGIFImageList& frames, TGIFDocument* document) {
  for (;;) {
    std::uint8_t kind = 0;
    if (!ReadBlockStart(stream, kind)) return;
    MoveBy(stream, -1);
    if (kind == bsTrailer) return;
    if (kind != bsExtensionIntroducer && kind != bsImageSeparator) {
      frames.ReportWarning(WarningSeverity, sBadBlockType);
      MoveBy(stream, -1);
      return;
    }
    auto frame = std::make_unique<TGIFSubImage>(document);
    ReadFrame(stream, *frame);
    frames.Add(std::move(frame));
  }
}

void ReadFrame(TStream& stream, TGIFSubImage& frame) {
  frame.Clear();
  ReadExtensions(stream, frame);
  std::uint8_t next = 0;
  if (!ReadOneByte(stream, next)) return;
  MoveBy(stream, -1);
  if (next == bsTrailer) return;  // extensions only
  ReadImage(stream, frame);
  if (RenderOnLoad) frame.RenderBitmap();
}

void ReadExtensions(TStream& stream, TGIFSubImage& frame) {
  TGIFExtensionList& list = frame.ExtList();
  // Zero bytes between extensions, or before the image they belong to, are
  // passed over, so the frame's graphic control extension still governs it.
  std::uint8_t next = 0;
  if (!ReadBlockStart(stream, next)) return;
  while (next != bsImageSeparator && next != bsTrailer) {
    if (next != bsExtensionIntroducer) {
      // The frame reader takes this byte as the start of an image descriptor.
      list.ReportWarning(WarningSeverity, sBadExtensionLabel);
      break;
    }
    const TGIFExtensionClass* extensionClass = ResolveExtensionClass(stream);
    if (extensionClass != nullptr) {
      MoveBy(stream, -1);
      std::unique_ptr<TGIFExtension> extension = extensionClass->Create(&frame);
      ReadExtension(stream, *extension);
      list.Add(std::move(extension));
    } else if (SkipUnknownExtension(stream)) {
      list.ReportWarning(WarningSeverity, sUnknownExtension);
    } else {
      throw GIFException(sUnknownExtension);
    }
    if (!ReadBlockStart(stream, next)) return;
  }
  MoveBy(stream, -1);
}

void ReadTrailer(TStream& stream, TGIFTrailer& trailer) {
  std::uint8_t byte = 0;
  if (ReadOneByte(stream, byte) && byte != bsTrailer) trailer.ReportWarning(WarningSeverity, sBadTrailer);
}
