// The Converter window's commands: Open with its bitmap path, Save, Animate,
// and the context menu of the input view (Stop Anim, StartAnim, Info, Size
// Big, Size Orig, About). Editor and the close are with the window (Unit1.cpp).
#include <QGuiApplication>

#include "AppMessages.h"
#include "BusyCursor.h"
#include "Dialogs.h"
#include "Exception.h"
#include "GifToStrip.h"
#include "Image.h"
#include "PictureFiles.h"
#include "PixelConversion.h"
#include "RasterMessages.h"
#include "StripToGif.h"
#include "Unit1.h"

// Open: the dialog comes first, so that a cancelled Open changes nothing.
void TForm1::Button1Click() {
  const std::optional<std::string> fileName = FDialogs.OpenFile(TOpenFileRequest{ConverterOpenFilter()});
  if (fileName) Open(*fileName);
}

// The old document leaves the views and the file is read. The dialog and a
// file dropped on the window both come here.
void TForm1::Open(const std::string& fileName) {
  EnterStage(TConverterStage::csOpening);
  FStripFollowsChoices = false;
  for (int number = 1; number <= 6; ++number) Image(number).Picture().Assign(nullptr);
  FDocument.SourceFileName = fileName;
  if (TakesGifPath(FDocument.SourceFileName))
    OpenGif();
  else
    OpenBitmap();
}

// A GIF: shown as input, its chosen frames in the frame slots and their BMX
// strip as output (ConverterStrip.cpp). A GIF of fewer than four frames,
// refused, stops with the slots of the frames it has filled and the
// document's size and kind as they were; a choice that takes it then
// converts it.
void TForm1::OpenGif() {
  FDocument.InputGif = NewShownGif();
  TGIFImage& gif = *FDocument.InputGif;
  // The strip's frames decode now; the others as the animation first shows them.
  gif.SetFramesDecodedOnLoad(FramesDecodedForStrip(FDocument.StripChoices));
  gif.LoadFile(FDocument.SourceFileName);
  Image(1).Picture().Assign(&gif);
  FStripFollowsChoices = true;
  ShowGifStrip();
}

// A BMX strip, any BMP or a picture file of another phone: shown as input
// and cut into four frames of equal height, one per frame slot. A big
// picture takes a moment to read and cut: the busy cursor shows meanwhile
// (and is gone before any error is shown).
void TForm1::OpenBitmap() {
  const TBusyCursor busy;
  FDocument.InputBitmap = std::make_unique<TBitmap>();
  LoadPictureFile(*FDocument.InputBitmap, FDocument.SourceFileName);
  Image(1).Picture().Assign(FDocument.InputBitmap.get());
  FDocument.SourceWidth = FDocument.InputBitmap->Width();
  FDocument.SourceHeight = FDocument.InputBitmap->Height();
  FDocument.SourceFrameCount = 0;
  FDocument.SourceKind = SKindBmxAnim;
  const int frameHeight = FrameHeightOf(FDocument.SourceHeight);
  for (int k = 0; k < StripFrameCount; ++k) {
    TImage& slot = Image(k + 2);
    slot.SetSize(FDocument.SourceWidth, frameHeight);
    const TBitmap frame = CutStripFrame(*FDocument.InputBitmap, k, frameHeight);
    slot.Picture().Assign(&frame);
  }
  EnterStage(TConverterStage::csBitmapOpened);
}

// Save: writes the output view's picture in its own format, or a strip in
// the format of another phone that the name's extension names (the GIF
// animation only as a GIF). A strip is made black and white first. An empty
// output view is refused with a message before any dialog; a cancelled
// dialog, or a refusal to replace the chosen file, writes nothing.
void TForm1::Button2Click() {
  const TGraphic* shown = Image(6).Picture().Graphic();
  if (shown == nullptr || shown->Empty()) throw Exception(SNothingToSave);
  const bool strip = FDocument.FromGif();
  const TSaveFileRequest request{ConverterSaveFilter(strip), strip ? 1 : 2, strip ? ".bmx" : ".gif",
                                 SaveNameFor(FDocument.SourceFileName)};
  const std::optional<std::string> fileName = FDialogs.SaveFile(request);
  if (!fileName) return;
  const std::optional<TPictureFileFormat> other = FormatFromFileName(*fileName);
  if (other && !strip) throw Exception(FormatMessage(SAnimationOnlyAsGif, FormatInfo(*other).Title));
  if (!MayWriteFile(FDialogs, *fileName)) return;
  TPicture& output = Image(6).Picture();
  if (strip) output.Bitmap().SetMonochrome(true);
  if (!strip || !SaveInOtherFormat(output.Bitmap(), *fileName)) output.SaveToFile(*fileName);
}

// Animate: the four frame slots become a new looping GIF, shown in the output
// view and ready for Save. A slot without a bitmap gives an empty frame.
// When a frame fails, OutputGif keeps the frames added before it and the
// views and buttons stay as they were.
void TForm1::Button3Click() {
  FDocument.SourceKind = SKindBmxFile;
  {
    const TBusyCursor hourglass;
    FDocument.OutputGif = NewShownGif();
    StripToGif(*FDocument.OutputGif,
               {&Image(2).Picture().Bitmap(), &Image(3).Picture().Bitmap(), &Image(4).Picture().Bitmap(),
                &Image(5).Picture().Bitmap()},
               FDocument.AnimationChoices);
    ShowOutput(FDocument.OutputGif.get());
  }
  EnterStage(TConverterStage::csAnimated);
}

// Stop Anim: the input view shows the opened GIF's still picture instead of
// its animation. Without an opened GIF there is nothing to show still.
void TForm1::Eins1Click() {
  if (FDocument.InputGif) Image(1).Picture().Assign(FDocument.InputGif->Bitmap());
}

// StartAnim: the input view shows the opened GIF again, animating from its
// first frame; without one it is cleared.
void TForm1::Zwei1Click() { Image(1).Picture().Assign(FDocument.InputGif.get()); }

void TForm1::Drei1Click() { FDialogs.ShowMessage(TMessageKind::mkInformation, InfoText(FDocument)); }
void TForm1::About1Click() { FDialogs.ShowMessage(TMessageKind::mkInformation, SAboutText); }

void TForm1::SizeBig1Click() { ShowInput(true); }
void TForm1::SizeOrig1Click() { ShowInput(false); }

// The input view shows the opened document again, scaled to fit or at its
// own size: with the kind "GIF File" the opened GIF, animating from its
// first frame (none when the Logo editor set that kind), else the bitmap.
void TForm1::ShowInput(bool big) {
  TImage& input = Image(1);
  input.Picture().Assign(nullptr);
  input.SetStretch(big);
  input.SetProportional(big);
  if (FDocument.FromGif())
    input.Picture().Assign(FDocument.InputGif.get());
  else
    input.Picture().Assign(FDocument.InputBitmap.get());
}
