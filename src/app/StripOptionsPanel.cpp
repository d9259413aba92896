#include "StripOptionsPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "AnimationOptionsBox.h"
#include "OptionNames.h"
#include "StripPreview.h"

namespace {

// The largest side the size choice takes, and the highest frame number the
// list takes (counted from 1 here, from 0 in the option's name).
constexpr int LargestSide = 4096;
constexpr int HighestFrameNumber = 65536;
const QString CustomSize = QStringLiteral("custom");

QString Name(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string DataOf(const QComboBox* combo) { return combo->currentData().toString().toStdString(); }
void Select(QComboBox* combo, std::string_view name) { combo->setCurrentIndex(combo->findData(Name(name))); }

// A row of controls side by side; radio buttons in one row exclude each other.
QWidget* Row(QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  return row;
}

// A group's labelled rows, each control at its own width.
QFormLayout* Form(QGroupBox* group) {
  auto* form = new QFormLayout(group);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  return form;
}

// The controls of a row keep their own widths, at its left.
QWidget* Packed(QWidget* row) {
  static_cast<QHBoxLayout*>(row->layout())->addStretch(1);
  return row;
}

}  // namespace

TStripOptionsPanel::TStripOptionsPanel(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName(QStringLiteral("StripOptionsPanel"));
  setWindowTitle(QStringLiteral("Strip options"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildFrames());
  layout->addWidget(BuildSize());
  layout->addWidget(BuildBlackAndWhite());
  FAnimation = new TAnimationOptionsBox(this);
  layout->addWidget(FAnimation);

  auto* bottom = Row(this);
  FPreview = new TStripPreview(bottom);
  FPreview->setToolTip(QStringLiteral("The strip's four frames, played at the GIF's delays"));
  bottom->layout()->addWidget(FPreview);
  auto* buttons = new QVBoxLayout;
  auto* defaults = new QPushButton(QStringLiteral("Defaults"), bottom);
  defaults->setObjectName(QStringLiteral("DefaultsButton"));
  defaults->setToolTip(QStringLiteral("The plain strip: the first four frames as shown, at the GIF's own size, "
                                      "white only where a pixel is exactly white"));
  auto* close = new QPushButton(QStringLiteral("Close"), bottom);
  close->setObjectName(QStringLiteral("CloseButton"));
  buttons->addStretch();
  buttons->addWidget(defaults);
  buttons->addWidget(close);
  static_cast<QHBoxLayout*>(bottom->layout())->addStretch(1);
  static_cast<QHBoxLayout*>(bottom->layout())->addLayout(buttons);
  layout->addWidget(bottom);
  connect(defaults, &QPushButton::clicked, this, [this] {
    SetOptions(StripOptions{});
    emit Changed();
    FAnimation->RestoreDefaults();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::hide);
  SetOptions(StripOptions{});
}

QRadioButton* TStripOptionsPanel::AddRadio(QWidget* parent, const char* name, const QString& caption) {
  auto* radio = new QRadioButton(caption, parent);
  radio->setObjectName(QString::fromLatin1(name));
  parent->layout()->addWidget(radio);
  Watch(radio);
  return radio;
}

// A radio button reports when it is chosen, a check box when it changes.
void TStripOptionsPanel::Watch(QAbstractButton* button) {
  connect(button, &QAbstractButton::toggled, this, [this, button](bool on) {
    if (on || !button->autoExclusive()) UserChanged();
  });
}

QComboBox* TStripOptionsPanel::AddCombo(const char* name, std::initializer_list<std::pair<QString, const char*>> items) {
  auto* combo = new QComboBox(this);
  combo->setObjectName(QString::fromLatin1(name));
  for (const auto& [caption, data] : items) combo->addItem(caption, QString::fromLatin1(data));
  connect(combo, &QComboBox::currentIndexChanged, this, &TStripOptionsPanel::UserChanged);
  return combo;
}

// Typing a number changes the choice on Enter or on leaving the box, not at
// every digit.
QSpinBox* TStripOptionsPanel::AddSpin(const char* name, int low, int high) {
  auto* spin = new QSpinBox(this);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(low, high);
  spin->setKeyboardTracking(false);
  connect(spin, &QSpinBox::valueChanged, this, &TStripOptionsPanel::UserChanged);
  return spin;
}

QGroupBox* TStripOptionsPanel::BuildFrames() {
  auto* group = new QGroupBox(QStringLiteral("Frames"), this);
  QFormLayout* form = Form(group);
  QWidget* kind = Row(group);
  FAsShown = AddRadio(kind, "AsShownRadio", QStringLiteral("As shown"));
  FAsShown->setToolTip(QStringLiteral("Each frame as the animation shows it, over the frames before it"));
  FAsStored = AddRadio(kind, "AsStoredRadio", QStringLiteral("As stored"));
  FAsStored->setToolTip(QStringLiteral("Each frame's own picture at the top-left of its band"));
  form->addRow(QStringLiteral("Take:"), Packed(kind));
  QWidget* choice = Row(group);
  FFirstFour = AddRadio(choice, "FirstFourRadio", QStringLiteral("First four"));
  FSpread = AddRadio(choice, "SpreadRadio", QStringLiteral("Spread"));
  FSpread->setToolTip(QStringLiteral("Four frames evenly through the animation"));
  FList = AddRadio(choice, "ListRadio", QStringLiteral("Numbers:"));
  FList->setToolTip(QStringLiteral("Four frames by number, counted from 1 as Info counts them"));
  static constexpr const char* NumberNames[4] = {"FrameNumber1", "FrameNumber2", "FrameNumber3", "FrameNumber4"};
  for (int k = 0; k < 4; ++k) {
    FFrameNumbers[k] = AddSpin(NumberNames[k], 1, HighestFrameNumber);
    choice->layout()->addWidget(FFrameNumbers[k]);
  }
  form->addRow(QStringLiteral("Which:"), Packed(choice));
  FShortGif = AddCombo("ShortGifCombo", {{QStringLiteral("Refuse them"), "refuse"},
                                         {QStringLiteral("Repeat their frames"), "repeat"}});
  FShortGif->setToolTip(QStringLiteral("A GIF of fewer than four frames: refused, or its frames repeated in turn"));
  form->addRow(QStringLiteral("Short GIFs:"), FShortGif);
  return group;
}

QGroupBox* TStripOptionsPanel::BuildSize() {
  auto* group = new QGroupBox(QStringLiteral("Size"), this);
  QFormLayout* form = Form(group);
  FSize = AddCombo("SizeCombo", {{QStringLiteral("The GIF's own"), "own"},
                                 {QStringLiteral("101 x 64 screen saver"), "screensaver"},
                                 {QStringLiteral("101 x 46 logo"), "logo"},
                                 {QStringLiteral("72 x 32 EMS"), "ems72"},
                                 {QStringLiteral("16 x 16 EMS"), "ems16"},
                                 {QStringLiteral("Width x height:"), "custom"}});
  FTargetWidth = AddSpin("TargetWidth", 1, LargestSide);
  FTargetHeight = AddSpin("TargetHeight", 1, LargestSide);
  FTargetWidth->setValue(101);
  FTargetHeight->setValue(64);
  QWidget* size = Row(group);
  size->layout()->addWidget(FSize);
  size->layout()->addWidget(FTargetWidth);
  size->layout()->addWidget(new QLabel(QStringLiteral("x"), size));
  size->layout()->addWidget(FTargetHeight);
  form->addRow(QStringLiteral("Frame size:"), Packed(size));
  FFit = AddCombo("FitCombo", {{QStringLiteral("Fit: whole, white margins"), "fit"},
                               {QStringLiteral("Fill: cropped to the size"), "fill"},
                               {QStringLiteral("Stretch"), "stretch"}});
  form->addRow(QStringLiteral("Fitting:"), FFit);
  return group;
}

QGroupBox* TStripOptionsPanel::BuildBlackAndWhite() {
  auto* group = new QGroupBox(QStringLiteral("Black and white"), this);
  QFormLayout* form = Form(group);
  FMono = AddCombo("MonoCombo", {{QStringLiteral("Exact white"), "exact"},
                                 {QStringLiteral("Threshold, white from level:"), "threshold"},
                                 {QStringLiteral("Floyd-Steinberg dither"), "floyd"},
                                 {QStringLiteral("Atkinson dither"), "atkinson"},
                                 {QStringLiteral("Ordered 4 x 4 dither"), "ordered4"},
                                 {QStringLiteral("Ordered 8 x 8 dither"), "ordered8"}});
  FMono->setToolTip(QStringLiteral("Exact white keeps white only where a pixel is pure white; "
                                   "colour pictures and photos want the threshold or a dither"));
  FThreshold = AddSpin("ThresholdLevel", 0, 255);
  QWidget* method = Row(group);
  method->layout()->addWidget(FMono);
  method->layout()->addWidget(FThreshold);
  form->addRow(QStringLiteral("Method:"), Packed(method));
  FInvert = new QCheckBox(QStringLiteral("Invert"), group);
  FInvert->setObjectName(QStringLiteral("InvertCheck"));
  Watch(FInvert);
  form->addRow(QString(), FInvert);
  return group;
}

StripOptions TStripOptionsPanel::Options() const {
  StripOptions options;
  options.AsStored = FAsStored->isChecked();
  options.Frames = FList->isChecked() ? FrameChoice::List : FSpread->isChecked() ? FrameChoice::Spread : FrameChoice::FirstFour;
  for (int k = 0; k < 4; ++k) options.FrameList[static_cast<std::size_t>(k)] = FFrameNumbers[k]->value() - 1;
  options.ShortGif = ParseShortGif(DataOf(FShortGif));
  ParseSize(SizeName().toStdString(), options);
  options.Fit = ParseFitting(DataOf(FFit));
  ParseMono(DataOf(FMono), options);
  options.Threshold = FThreshold->value();
  options.Invert = FInvert->isChecked();
  return options;
}

QString TStripOptionsPanel::SizeName() const {
  const QString name = FSize->currentData().toString();
  if (name != CustomSize) return name;
  return QStringLiteral("%1x%2").arg(FTargetWidth->value()).arg(FTargetHeight->value());
}

void TStripOptionsPanel::SetOptions(const StripOptions& options) {
  FShowing = true;
  (options.AsStored ? FAsStored : FAsShown)->setChecked(true);
  (options.Frames == FrameChoice::List ? FList : options.Frames == FrameChoice::Spread ? FSpread : FFirstFour)
      ->setChecked(true);
  for (int k = 0; k < 4; ++k) FFrameNumbers[k]->setValue(options.FrameList[static_cast<std::size_t>(k)] + 1);
  Select(FShortGif, TextOf(options.ShortGif));
  SelectSize(options);
  Select(FFit, TextOf(options.Fit));
  Select(FMono, TextOf(options.Mono));
  FThreshold->setValue(options.Threshold);
  FInvert->setChecked(options.Invert);
  EnableDependents();
  FShowing = false;
}

// A phone preset when the size is one, else the width and height given.
void TStripOptionsPanel::SelectSize(const StripOptions& options) {
  if (options.TargetWidth == 0 || options.TargetHeight == 0) return Select(FSize, "own");
  for (int index = 0; index < FSize->count(); ++index) {
    const QString name = FSize->itemData(index).toString();
    if (name == CustomSize || name == QStringLiteral("own")) continue;
    StripOptions preset;
    ParseSize(name.toStdString(), preset);
    if (preset.TargetWidth == options.TargetWidth && preset.TargetHeight == options.TargetHeight)
      return FSize->setCurrentIndex(index);
  }
  FSize->setCurrentIndex(FSize->findData(CustomSize));
  FTargetWidth->setValue(options.TargetWidth);
  FTargetHeight->setValue(options.TargetHeight);
}

// The boxes of a choice that is not taken are greyed out.
void TStripOptionsPanel::EnableDependents() {
  for (QSpinBox* number : FFrameNumbers) number->setEnabled(FList->isChecked());
  const QString size = FSize->currentData().toString();
  FTargetWidth->setEnabled(size == CustomSize);
  FTargetHeight->setEnabled(size == CustomSize);
  FFit->setEnabled(size != QStringLiteral("own"));
  FThreshold->setEnabled(FMono->currentData().toString() == QStringLiteral("threshold"));
}

void TStripOptionsPanel::UserChanged() {
  if (FShowing) return;
  EnableDependents();
  emit Changed();
}
