// The Converter and the 1-bit picture files of other phones and small
// displays: Open reads them on the bitmap path (PictureFiles.h); Save writes
// the strip in the format its file name's extension names, a C array holding
// the strip's four frames with their delays; each frame slot's context menu
// saves that slot's picture in any of them.
#include <QMenu>

#include "AppMessages.h"
#include "ConverterDocument.h"
#include "Dialogs.h"
#include "Exception.h"
#include "Image.h"
#include "ImageView.h"
#include "PictureFiles.h"
#include "RasterMessages.h"
#include "Unit1.h"

namespace {

// The frame slots' save dialog: a BMP first, then the formats of one picture.
std::string FrameSaveFilter() { return std::string("Bitmap|*.bmp|") + WritableFormatsFilter(false); }

}  // namespace

std::string ConverterOpenFilter() { return std::string(SOpenFilter) + "|" + ReadableFormatsFilter(); }

std::string ConverterSaveFilter(bool strip) {
  return strip ? std::string(SSaveFilter) + "|" + WritableFormatsFilter(true) : std::string(SSaveFilter);
}

void TForm1::BuildFrameSaveMenus() {
  for (int k = 1; k <= StripFrameCount; ++k) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("FramePopup%1").arg(k));
    QAction* save = menu->addAction(QStringLiteral("Save Frame %1...").arg(k));
    save->setObjectName(QStringLiteral("SaveFrame%1").arg(k));
    connect(save, &QAction::triggered, this, Guarded(FDialogs, [this, k] { SaveFrame(k); }));
    FImages[static_cast<std::size_t>(k)]->SetContextMenu(menu);
  }
}

// Frame slot k's picture, as a BMP in its own colours or in the format the
// chosen name's extension names, black and white.
void TForm1::SaveFrame(int k) {
  const auto* frame = dynamic_cast<const TBitmap*>(Image(k + 1).Picture().Graphic());
  if (frame == nullptr || frame->Empty()) throw Exception(SNothingToSave);
  const TSaveFileRequest request{FrameSaveFilter(), 1, ".bmp",
                                 SaveNameFor(FDocument.SourceFileName) + "-" + std::to_string(k)};
  const std::optional<std::string> fileName = FDialogs.SaveFile(request);
  if (!fileName || !MayWriteFile(FDialogs, *fileName)) return;
  SavePictureFile(*frame, *fileName);
}

// The delays of the strip's frames: those of the GIF's frames in its bands,
// else (frames from the Logo editor) the animation's delay.
std::vector<int> TForm1::StripFrameDelays() const {
  if (FStripFollowsChoices && FDocument.InputGif) return {FDocument.StripDelays.begin(), FDocument.StripDelays.end()};
  return std::vector<int>(StripFrameCount, FDocument.AnimationChoices.Delay);
}

bool TForm1::SaveInOtherFormat(TBitmap& strip, const std::string& fileName) {
  const std::optional<TPictureFileFormat> format = FormatFromFileName(fileName);
  if (!format) return false;
  if (*format != TPictureFileFormat::CArray) {
    WritePictureFile(strip, *format, fileName);
    return true;
  }
  const int frameHeight = FrameHeightOf(strip.Height());
  std::vector<TBitmap> pictures;
  for (int k = 0; k < StripFrameCount; ++k) pictures.push_back(CutStripFrame(strip, k, frameHeight));
  const std::vector<int> delays = StripFrameDelays();
  std::vector<TCArrayFrame> frames;
  for (int k = 0; k < StripFrameCount; ++k)
    frames.push_back({pictures[static_cast<std::size_t>(k)], delays[static_cast<std::size_t>(k)]});
  WriteCArrayFile(frames, fileName);
  return true;
}
