// Reading a GIF document block by block: the header, the frames with their
// extensions, descriptors and colour tables, and the trailer. The reader is
// tolerant: damage it can step over is a warning and reading goes on; what it
// cannot is a GIFException, after which the stream goes back to where the
// document began.
#include <cctype>

#include "GIFExtensionRegistry.h"
#include "GIFImage.h"
#include "GIFLZWDecoder.h"
#include "GIFPackedFields.h"
#include "GIFStreamIO.h"
#include "LittleEndian.h"

namespace {

// Any letter case, any version.
bool IsGIFSignature(const std::uint8_t* bytes) {
  return std::toupper(bytes[0]) == 'G' && std::toupper(bytes[1]) == 'I' && std::toupper(bytes[2]) == 'F';
}

// The class for the extension whose introducer was just read: the label's
// registered class, refined as long as the class keeps pointing further. The
// stream position is left unchanged.
const TGIFExtensionClass* ResolveExtensionClass(TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t label = 0;
  const TGIFExtensionClass* result = nullptr;
  if (ReadOneByte(stream, label)) {
    result = ExtensionList().Find(label);
    while (result != nullptr) {
      const TGIFExtensionClass* refined = result->RefineClass(*result, stream);
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

}  // namespace

void TGIFImage::LoadFromStream(TStream& stream) {
  Clear();
  const std::int64_t start = stream.Position();
  try {
    FHeader.LoadFromStream(stream);
    FFrames.LoadFromStream(stream, this);
    TGIFTrailer trailer(this);
    trailer.LoadFromStream(stream);
  } catch (...) {
    stream.SetPosition(start);
    throw;
  }
}

void TGIFHeader::LoadFromStream(TStream& stream) {
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
  FScreenWidth = LittleEndianWord(descriptor);
  FScreenHeight = LittleEndianWord(descriptor + 2);
  FScreenFlags = descriptor[4];
  FBackgroundIndex = descriptor[5];
  FAspectRatio = descriptor[6];
  if ((FScreenFlags & ScreenFlag::GlobalTable) != 0) {
    FGlobalMap.ReadTable(stream, AnnouncedTableEntries(FScreenFlags));
  } else {
    FGlobalMap.Clear();
  }
}

void TGIFImageList::LoadFromStream(TStream& stream, TGIFImage* image) {
  for (;;) {
    std::uint8_t kind = 0;
    if (!ReadBlockStart(stream, kind)) return;
    MoveBy(stream, -1);
    if (kind == bsTrailer) return;
    if (kind != bsExtensionIntroducer && kind != bsImageSeparator) {
      ReportWarning(WarningSeverity, sBadBlockType);
      MoveBy(stream, -1);
      return;
    }
    auto frame = std::make_unique<TGIFSubImage>(image);
    frame->LoadFromStream(stream);
    Add(std::move(frame));
  }
}

void TGIFSubImage::LoadFromStream(TStream& stream) {
  Clear();
  FExtList.LoadFromStream(stream, this);
  std::uint8_t next = 0;
  if (!ReadOneByte(stream, next)) return;
  MoveBy(stream, -1);
  if (next == bsTrailer) return;  // extensions only
  ReadImage(stream);
  if (RenderOnLoad) RenderBitmap();
}

void TGIFSubImage::ReadImage(TStream& stream) {
  std::uint8_t descriptor[10];
  ReadExact(stream, descriptor, 10);
  const auto word = [&descriptor](int at) { return LittleEndianWord(descriptor + at); };
  FSeparator = descriptor[0];
  FLeft = word(1);
  FTop = word(3);
  FWidth = word(5);
  FHeight = word(7);
  FFlags = descriptor[9];
  FHasImageDescriptor = true;
  if (FWidth == 0 || FHeight == 0) {
    if (Image() != nullptr) {
      FWidth = static_cast<std::uint16_t>(Image()->Width());
      FHeight = static_cast<std::uint16_t>(Image()->Height());
    }
    ReportWarning(WarningSeverity, sScreenSizeExceeded);
  }
  if ((FFlags & ImageFlag::LocalTable) != 0) FLocalMap.ReadTable(stream, AnnouncedTableEntries(FFlags));
  // While its document reads, a frame is the next one of the document's frames.
  const bool mayDefer = Image() != nullptr && Image()->Frames().Count() >= Image()->FramesDecodedOnLoad();
  DecodeFrameData(*this, stream, mayDefer);
}

void TGIFExtensionList::LoadFromStream(TStream& stream, TGIFSubImage* subImage) {
  // Zero bytes between extensions, or before the image they belong to, are
  // passed over, so the frame's graphic control extension still governs it.
  std::uint8_t next = 0;
  if (!ReadBlockStart(stream, next)) return;
  while (next != bsImageSeparator && next != bsTrailer) {
    if (next != bsExtensionIntroducer) {
      // The frame reader takes this byte as the start of an image descriptor.
      ReportWarning(WarningSeverity, sBadExtensionLabel);
      break;
    }
    const TGIFExtensionClass* extensionClass = ResolveExtensionClass(stream);
    if (extensionClass != nullptr) {
      MoveBy(stream, -1);
      std::unique_ptr<TGIFExtension> extension = extensionClass->Create(subImage);
      extension->LoadFromStream(stream);
      Add(std::move(extension));
    } else if (SkipUnknownExtension(stream)) {
      ReportWarning(WarningSeverity, sUnknownExtension);
    } else {
      throw GIFException(sUnknownExtension);
    }
    if (!ReadBlockStart(stream, next)) return;
  }
  MoveBy(stream, -1);
}

void TGIFTrailer::LoadFromStream(TStream& stream) {
  std::uint8_t byte = 0;
  if (ReadOneByte(stream, byte) && byte != bsTrailer) ReportWarning(WarningSeverity, sBadTrailer);
}
