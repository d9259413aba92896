#include "GIFExtension.h"

#include "GIFException.h"
#include "GIFMessages.h"
#include "GIFStreamIO.h"
#include "GIFSubImage.h"
#include "Stream.h"

TGIFExtension::TGIFExtension(TGIFSubImage* subImage)
    : TGIFItem(subImage != nullptr ? subImage->Image() : nullptr), FSubImage(subImage) {}

void TGIFExtension::SaveToStream(TStream& stream) {
  stream.WriteByte(bsExtensionIntroducer);
  stream.WriteByte(ExtensionLabel());
  SaveData(stream);
}

void TGIFExtension::LoadFromStream(TStream& stream) {
  std::uint8_t bytes[2];
  ReadExact(stream, bytes, 2);
  if (bytes[0] != bsExtensionIntroducer) throw GIFException(sBadExtensionLabel);
  if (bytes[1] != ExtensionLabel()) throw GIFException(sBadExtensionInstance);
  LoadData(stream);
}

const TGIFExtensionClass* TGIFExtension::KeepClass(const TGIFExtensionClass& self, TStream&) { return &self; }
