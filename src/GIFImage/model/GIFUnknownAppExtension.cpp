#include "GIFUnknownAppExtension.h"

#include "GIFStreamIO.h"
#include "Stream.h"

const TGIFExtensionClass TGIFUnknownAppExtension::ClassInfo = {
    "TGIFUnknownAppExtension", 0xFF, CreateExtension<TGIFUnknownAppExtension>,
    TGIFApplicationExtension::RefineApplicationClass};

void TGIFUnknownAppExtension::SaveBody(TStream& stream) {
  for (const TGIFBlock& block : FBlocks) {
    stream.WriteByte(static_cast<std::uint8_t>(block.Size()));
    stream.WriteBuffer(block.Data.data(), block.Size());
  }
  stream.WriteByte(0);
}

void TGIFUnknownAppExtension::LoadBody(TStream& stream) {
  FBlocks.clear();
  std::uint8_t size = 0;
  while (ReadOneByte(stream, size) && size != 0) {
    TGIFBlock block;
    block.Data.resize(size);
    ReadExact(stream, block.Data.data(), size);
    FBlocks.push_back(std::move(block));
  }
}
