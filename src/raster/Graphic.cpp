#include "Graphic.h"

#include "FileStream.h"
#include "SafeSave.h"

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream stream(fileName, TFileMode::fmOpenRead);
  LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) {
  SaveToFileSafely(fileName, [this](TStream& stream) { SaveToStream(stream); });
}

void TGraphic::Changed() {
  if (OnChange) OnChange(*this);
}
