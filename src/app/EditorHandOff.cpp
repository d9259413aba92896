// What the Logo editor exchanges with the outside: its picture sent to the
// Converter's frame slots (and into the BMX strip of the Converter's output
// view), pictures loaded back from the Converter's views, the logo file in any
// of the picture formats, and leaving the editor.
#include <QPushButton>

#include "AppMessages.h"
#include "Dialogs.h"
#include "ImageView.h"
#include "PictureFiles.h"
#include "Unit1.h"
#include "Unit2.h"

// Frame 1 starts the hand-off: the Converter's output becomes a strip and its
// Save and Animate are enabled, and the output view starts a new white strip
// of four frames of the editor's size, whatever that size (the screen saver
// and the logo too, so that Save has the strip to write). Frames 2 to 4 only
// draw into whatever the output view holds.
void TForm2::SaveAsFrame(int frame) {
  TGraphic* picture = View().Picture().Graphic();
  if (frame == 1) FConverter.Document().SourceKind = SKindGifFile;
  FConverter.Image(frame + 1).Picture().Assign(picture);
  if (frame == 1) FConverter.EnterStage(TConverterStage::csEditorFrames);
  const TEditorSize* size = CheckedSize();
  if (size == nullptr) return;
  TImage& output = FConverter.Image(6);
  if (frame == 1) {
    output.Picture().Assign(nullptr);
    output.SetSize(size->StripWidth, size->StripHeight);
  }
  output.Canvas().Draw(0, size->FrameTop(frame), picture);
}

void TForm2::Button3Click() { SaveAsFrame(1); }
void TForm2::Button4Click() { SaveAsFrame(2); }
void TForm2::Button5Click() { SaveAsFrame(3); }
void TForm2::Button6Click() { SaveAsFrame(4); }

// New, then the picture of a Converter view (1 the input view, 2 to 5 the
// frame slots) drawn at the top-left: clipped when larger, the rest white
// when smaller. A view without a picture draws nothing. New records the
// step, so that one Undo takes the whole load back.
void TForm2::LoadFrom(int converterView) {
  FButton2->click();
  Canvas().Draw(0, 0, FConverter.Image(converterView).Picture().Graphic());
}

// New, then a BMP or a picture file of another phone drawn at the top-left
// as a load from a view draws it. The file is read first: one that fails
// leaves the picture as it was.
void TForm2::LoadFromFile() {
  const std::optional<std::string> fileName =
      FDialogs.OpenFile(TOpenFileRequest{std::string(SLogoFilter) + "|" + ReadableFormatsFilter()});
  if (!fileName) return;
  TBitmap picture;
  LoadPictureFile(picture, *fileName);
  FButton2->click();
  Canvas().Draw(0, 0, &picture);
}

// Save Logo: the picture as a BMP, or in the format of another phone that
// the chosen name's extension names. ".bmp" is added unless the chosen name
// already ends in it or in such a format's extension (in any letter case); a
// cancelled dialog, or a refusal to replace the file, writes nothing.
void TForm2::Button7Click() {
  const std::string filter = std::string(SLogoFilter) + "|" + WritableFormatsFilter(true);
  std::optional<std::string> fileName = FDialogs.SaveFile(TSaveFileRequest{filter, 1, "", ""});
  if (!fileName) return;
  const std::optional<TPictureFileFormat> other = FormatFromFileName(*fileName);
  if (!other && !QString::fromStdString(*fileName).endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
    *fileName += ".bmp";
  if (!MayWriteFile(FDialogs, *fileName)) return;
  if (other)
    WritePictureFile(View().Picture().Bitmap(), *other, *fileName);
  else
    View().Picture().SaveToFile(*fileName);
}

void TForm2::Button1Click() { close(); }
