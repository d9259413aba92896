// The Converter's strip of an opened GIF: the "Strip options..." button and
// its panel, the conversion by the user's choices into the frame slots, the
// output view and the panel's preview, the notes beside the output view, and
// a new conversion whenever a choice changes.
#include <QLabel>
#include <QPushButton>
#include <QSettings>

#include "AnimationOptionsBox.h"
#include "AppMessages.h"
#include "AppSettings.h"
#include "BusyCursor.h"
#include "Controls.h"
#include "Dialogs.h"
#include "GifToFrames.h"
#include "Image.h"
#include "ImageView.h"
#include "StripOptionsPanel.h"
#include "StripPreview.h"
#include "Unit1.h"

namespace {

// "Strip: frames 1 to 4 of 15; the strip is all black.", and for a strip of
// one colour what to try; empty when there is nothing to say.
QString NoteText(const std::vector<std::string>& notes, bool oneColour) {
  if (notes.empty() && !oneColour) return {};
  QString text = QStringLiteral("Strip: ") + QString::fromStdString(StripNotesText(notes)) + QStringLiteral(".");
  if (oneColour) text += QStringLiteral("\n") + QString::fromUtf8(SOneColourHint);
  return text;
}

// A message for a label: its lines, which the message boxes break at carriage returns.
QString LabelText(const std::string& message) {
  return QString::fromStdString(message).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

}  // namespace

void TForm1::BuildStripControls() {
  FStripOptionsButton = Place<QPushButton>(this, "StripOptionsButton", QRect(88, 176, 105, 25),
                                           QStringLiteral("Strip options..."));
  FStripOptionsButton->setToolTip(
      QStringLiteral("How a GIF becomes the strip: which frames, the phone's size, black and white"));
  connect(FStripOptionsButton, &QPushButton::clicked, this, Guarded(FDialogs, this, &TForm1::StripOptionsClick));
  FStripNote = Place<QLabel>(this, "StripNote", QRect(200, 206, 376, 36));
  FStripNote->setWordWrap(true);
  FStripNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  FStripNote->hide();
  FDocument.StripChoices = RememberedStripOptions();
  FStripOptions = new TStripOptionsPanel(this);
  FStripOptions->SetOptions(FDocument.StripChoices);
  connect(FStripOptions, &TStripOptionsPanel::Changed, this, Guarded(FDialogs, this, &TForm1::StripChoicesChanged));
  // The GIF that Animate builds follows its choices in the same panel, and
  // they are remembered at once.
  TAnimationOptionsBox& animation = FStripOptions->AnimationBox();
  QSettings settings;
  SetAnimationOptions(animation.Load(settings));
  connect(&animation, &TAnimationOptionsBox::OptionsChanged, this, [this, &animation](const AnimationOptions& options) {
    SetAnimationOptions(options);
    QSettings remembered;
    animation.Save(remembered);
  });
}

// The panel comes up beside the window, or to the front when it is already open.
void TForm1::StripOptionsClick() {
  if (!FStripOptions->isVisible()) {
    FStripOptions->adjustSize();
    FStripOptions->move(frameGeometry().topRight() + QPoint(8, 0));
  }
  FStripOptions->show();
  FStripOptions->raise();
  FStripOptions->activateWindow();
}

// The opened GIF's strip by the current choices: the bands in the frame
// slots (each slot as large as a band), the strip in the output view and
// the preview, its notes beside it; Save may write it.
void TForm1::ShowGifStrip() {
  StripConversion conversion = ConvertInputGif();
  const TGIFImage& gif = *FDocument.InputGif;
  for (int k = 0; k < StripFrameCount; ++k) Image(k + 2).Picture().Assign(conversion.Band(k).get());
  FDocument.SourceWidth = gif.Width();
  FDocument.SourceHeight = gif.Height();
  FDocument.SourceFrameCount = gif.Frames().Count();
  FDocument.SourceKind = SKindGifFile;
  const int bandHeight = conversion.Strip->Height() / StripFrameCount;
  for (int number = 2; number <= 5; ++number) Image(number).SetSize(conversion.Strip->Width(), bandHeight);
  const std::vector<int> delays = PreviewDelays(conversion);
  const bool oneColour = conversion.OneColour;
  for (std::size_t k = 0; k < FDocument.StripDelays.size(); ++k)
    FDocument.StripDelays[k] = FrameDelayOf(gif, conversion.FramesUsed[k]);
  FDocument.StripBitmap = std::move(conversion.Strip);
  FDocument.StripNotes = std::move(conversion.Notes);
  ShowOutput(FDocument.StripBitmap.get());
  FStripOptions->Preview().Play(FDocument.StripBitmap.get(), delays);
  EnterStage(TConverterStage::csGifOpened);
  ShowStripNote(NoteText(FDocument.StripNotes, oneColour));
}

// A GIF too short for the choices still shows the frames it has in the slots
// before the failure is shown, and the message says what would take it. The
// busy cursor shows while a big GIF converts, and is gone before any error
// is shown.
StripConversion TForm1::ConvertInputGif() {
  const TBusyCursor busy;
  TGIFImage& gif = *FDocument.InputGif;
  try {
    return GifToStrip(gif, FDocument.StripChoices);
  } catch (const EShortGif& error) {
    for (int k = 0; k < error.FrameCount(); ++k) Image(k + 2).Picture().Assign(gif.Frames()[k].Bitmap());
    throw Exception(error.Message() + "\r" + (error.FrameCount() == 0 ? SNoFramesHint : SShortGifHint));
  }
}

// The delays of the frames that fill the bands.
std::vector<int> TForm1::PreviewDelays(const StripConversion& conversion) const {
  std::vector<int> delays;
  for (const int number : conversion.FramesUsed)
    delays.push_back(PreviewDelayMs(FDocument.InputGif->Frames()[number].ControlBlock()));
  return delays;
}

// A choice changed in the panel: it is remembered, and the opened GIF is
// converted again by it. A conversion that fails leaves no strip to save and
// says why beside the output view, without a message box in the user's way
// while they try choices.
void TForm1::StripChoicesChanged() {
  const StripOptions options = FStripOptions->Options();
  if (options == FDocument.StripChoices) return;
  FDocument.StripChoices = options;
  RememberStripOptions(options);
  if (!FStripFollowsChoices) return;
  EnterStage(TConverterStage::csOpening);
  for (int number = 2; number <= 6; ++number) Image(number).Picture().Assign(nullptr);
  FDocument.StripBitmap.reset();
  try {
    ShowGifStrip();
  } catch (const Exception& error) {
    ShowStripNote(LabelText(ErrorText(error.Message())));
  }
}

void TForm1::ShowOutput(const TGraphic* picture) {
  TImage& output = Image(6);
  output.Picture().Assign(picture);
  if (picture != nullptr && !picture->Empty()) output.SetSize(picture->Width(), picture->Height());
}

void TForm1::ShowStripNote(const QString& text) {
  FStripNote->setText(text);
  FStripNote->setVisible(!text.isEmpty());
}

// Notes, preview and Info's line belong to the strip that was shown last.
void TForm1::ForgetStripNotes() {
  FDocument.StripNotes.clear();
  FStripOptions->Preview().Play(nullptr, {});
  ShowStripNote(QString());
}
