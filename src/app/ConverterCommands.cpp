// The Converter window's commands: Open with its bitmap path, Save, Animate,
// and the context menu of the input view (Stop Anim, StartAnim, Info, Size
// Big, Size Orig, About). Editor and the close are with the window (Unit1.cpp).
#include <QGuiApplication>

#include "AppMessages.h"
#include "Dialogs.h"
#include "Exception.h"
#include "Image.h"
#include "PixelConversion.h"
#include "RasterMessages.h"
#include "Unit1.h"

namespace {

// The busy cursor, for as long as a long command runs (an error it ends with
// is shown after it).
struct TBusyCursor {
  TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

}  // namespace

// Open: the dialog comes first, so that a cancelled Open changes nothing;
// then the old document leaves the views and the chosen file is read.
void TForm1::Button1Click() {
  const std::optional<std::string> fileName = FDialogs.OpenFile(TOpenFileRequest{SOpenFilter});
  if (!fileName) return;
  EnterStage(TConverterStage::csOpening);
  for (int number = 1; number <= 6; ++number) Image(number).Picture().Assign(nullptr);
  FDocument.SourceFileName = *fileName;
  if (TakesGifPath(FDocument.SourceFileName))
    FDialogs.ShowMessage(TMessageKind::mkInformation, SGifUnavailable);
  else
    OpenBitmap();
}

// A BMX strip or any BMP: shown as input and cut into four frames of equal
// height, one per frame slot. A big picture takes a moment to read and cut:
// the busy cursor shows meanwhile (and is gone before any error is shown).
void TForm1::OpenBitmap() {
  const TBusyCursor busy;
  FDocument.InputBitmap = std::make_unique<TBitmap>();
  FDocument.InputBitmap->LoadFromFile(FDocument.SourceFileName);
  Image(1).Picture().Assign(FDocument.InputBitmap.get());
  FDocument.SourceWidth = FDocument.InputBitmap->Width();
  FDocument.SourceHeight = FDocument.InputBitmap->Height();
  FDocument.SourceFrameCount = 0;
  FDocument.SourceKind = SKindBmxAnim;
  const int frameHeight = FrameHeightOf(FDocument.SourceHeight);
  for (int number = 2; number <= 5; ++number) Image(number).SetSize(FDocument.SourceWidth, frameHeight);
  CutFrames(frameHeight);
  EnterStage(TConverterStage::csBitmapOpened);
}

// Each slot gets its rows of the strip in the strip's own format (a 1-bit
// strip gives 1-bit frames). Rows of the last frame that fall below the strip
// are black.
void TForm1::CutFrames(int frameHeight) {
  const TDib& strip = FDocument.InputBitmap->Image();
  for (int k = 0; k < 4; ++k) {
    auto frame = std::make_unique<TBitmap>();
    frame->SetImage(CutRows(strip, k * frameHeight, frameHeight, clBlack));
    Image(k + 2).Picture().SetGraphic(std::move(frame));
  }
}

// Save: writes the output view's picture in its own format. A strip is made
// black and white first. An empty output view is refused with a message
// before any dialog; a cancelled dialog, or a refusal to replace the chosen
// file, writes nothing.
void TForm1::Button2Click() {
  const TGraphic* shown = Image(6).Picture().Graphic();
  if (shown == nullptr || shown->Empty()) throw Exception(SNothingToSave);
  const bool strip = FDocument.FromGif();
  const TSaveFileRequest request{SSaveFilter, strip ? 1 : 2, strip ? ".bmx" : ".gif",
                                 SaveNameFor(FDocument.SourceFileName)};
  const std::optional<std::string> fileName = FDialogs.SaveFile(request);
  if (!fileName || !MayWriteFile(FDialogs, *fileName)) return;
  TPicture& output = Image(6).Picture();
  if (strip) output.Bitmap().SetMonochrome(true);
  output.SaveToFile(*fileName);
}

// Animate, Stop Anim and StartAnim work on GIF documents.
void TForm1::Button3Click() { FDialogs.ShowMessage(TMessageKind::mkInformation, SGifUnavailable); }
void TForm1::Eins1Click() { FDialogs.ShowMessage(TMessageKind::mkInformation, SGifUnavailable); }
void TForm1::Zwei1Click() { FDialogs.ShowMessage(TMessageKind::mkInformation, SGifUnavailable); }

void TForm1::Drei1Click() { FDialogs.ShowMessage(TMessageKind::mkInformation, InfoText(FDocument)); }
void TForm1::About1Click() { FDialogs.ShowMessage(TMessageKind::mkInformation, SAboutText); }

void TForm1::SizeBig1Click() { ShowInput(true); }
void TForm1::SizeOrig1Click() { ShowInput(false); }

// The input view shows the opened document again, scaled to fit or at its
// own size. With the kind "GIF File" the input is a GIF document, which this
// build never holds: the view stays empty.
void TForm1::ShowInput(bool big) {
  TImage& input = Image(1);
  input.Picture().Assign(nullptr);
  input.SetStretch(big);
  input.SetProportional(big);
  if (!FDocument.FromGif()) input.Picture().Assign(FDocument.InputBitmap.get());
}
