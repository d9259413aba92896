#include "GIFAppExtNSLoop.h"

#include "GIFException.h"
#include "GIFMessages.h"
#include "GIFPackedFields.h"
#include "GIFStreamIO.h"
#include "Stream.h"

const TGIFExtensionClass TGIFAppExtNSLoop::ClassInfo = {"TGIFAppExtNSLoop", 0xFF, CreateExtension<TGIFAppExtNSLoop>,
                                                        TGIFApplicationExtension::RefineApplicationClass};

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImage* subImage) : TGIFApplicationExtension(subImage) {
  SetIdentifier(MakeAppIdentifier("NETSCAPE2.0"));
}

void TGIFAppExtNSLoop::SaveBody(TStream& stream) {
  stream.WriteByte(3);
  stream.WriteByte(1);
  stream.WriteWord(FLoopCount);
  if (FBufferSize != 0) {
    stream.WriteByte(5);
    stream.WriteByte(2);
    stream.WriteDWord(FBufferSize);
  }
  stream.WriteByte(0);
}

void TGIFAppExtNSLoop::LoadBody(TStream& stream) {
  std::uint8_t size = 0;
  std::uint8_t id = 0;
  // A size or id byte missing at the end of the stream ends the data like a zero size.
  while (ReadOneByte(stream, size) && size != 0 && ReadOneByte(stream, id)) {
    int used = 0;
    switch (id & LoopingBlock::IdBits) {
      case LoopingBlock::LoopCount:
        if (size < 3) throw GIFException(sInvalidData);
        FLoopCount = ReadExactWord(stream);
        used = 2;
        break;
      case LoopingBlock::BufferSize:
        if (size < 5) throw GIFException(sInvalidData);
        FBufferSize = ReadExactDWord(stream);
        used = 4;
        break;
      default:
        break;
    }
    MoveBy(stream, size - 1 - used);
  }
}
