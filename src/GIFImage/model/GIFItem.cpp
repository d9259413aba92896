#include "GIFItem.h"

#include "GIFDocument.h"

void TGIFItem::ReportWarning(std::uint8_t severity, const std::string& message) {
  if (FImage != nullptr) FImage->Warning(this, severity, message);
}

void TGIFList::ReportWarning(std::uint8_t severity, const std::string& message) {
  if (FImage != nullptr) FImage->Warning(this, severity, message);
}
