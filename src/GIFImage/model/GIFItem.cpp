#include "GIFItem.h"

#include "FileStream.h"
#include "GIFImage.h"
#include "SafeSave.h"

void TGIFItem::ReportWarning(std::uint8_t severity, const std::string& message) {
  if (FImage != nullptr) FImage->Warning(this, severity, message);
}

void TGIFItem::SaveToFile(const std::string& fileName) {
  SaveToFileSafely(fileName, [this](TStream& stream) { SaveToStream(stream); });
}

void TGIFItem::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, TFileMode::fmOpenRead);
  LoadFromStream(stream);
}

void TGIFList::ReportWarning(std::uint8_t severity, const std::string& message) {
  if (FImage != nullptr) FImage->Warning(this, severity, message);
}
