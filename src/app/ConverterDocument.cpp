#include "ConverterDocument.h"

#include <QString>

std::unique_ptr<TGIFImage> NewShownGif() {
  auto gif = std::make_unique<TGIFImage>();
  gif->SetDrawFlags(gif->DrawFlags() | DrawOption::PaintDirect);
  return gif;
}

bool TakesGifPath(const std::string& fileName) {
  const QString name = QString::fromStdString(fileName);
  return name.size() >= 3 && name.right(3).compare(QStringLiteral("gif"), Qt::CaseInsensitive) == 0;
}

std::string SaveNameFor(const std::string& sourceFileName) {
  QString name = QString::fromStdString(sourceFileName);
  name.chop(4);
  return name.toStdString();
}

std::string StripNotesText(const std::vector<std::string>& notes) {
  std::string text;
  for (const std::string& note : notes) text += (text.empty() ? "" : "; ") + note;
  return text;
}

std::string InfoText(const TConverterDocument& document) {
  const std::string notes = document.StripNotes.empty() ? "" : "\rStrip        :" + StripNotesText(document.StripNotes);
  return "File Information\r"
         "Filename: " + document.SourceFileName + "\r"
         "Image Width  :" + std::to_string(document.SourceWidth) + "\r"
         "Image Height :" + std::to_string(document.SourceHeight) + "\r"
         "Image Frames :" + std::to_string(document.SourceFrameCount) + "\r"
         "Image Typ    :" + document.SourceKind + notes;
}
