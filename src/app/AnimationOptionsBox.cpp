#include "AnimationOptionsBox.h"

#include <algorithm>
#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QSettings>
#include <QSpinBox>

#include "OptionNames.h"

namespace {

const QString SettingsGroup = QStringLiteral("Animation");
constexpr std::array<GifPalette, 2> Palettes{GifPalette::Cube, GifPalette::Compact};

QSpinBox* CountBox(QWidget* parent, const char* name) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(0, 65535);
  return box;
}

}  // namespace

TAnimationOptionsBox::TAnimationOptionsBox(QWidget* parent) : QGroupBox(parent) {
  setObjectName(QStringLiteral("AnimationOptionsBox"));
  setTitle(QStringLiteral("GIF out"));
  FDelay = CountBox(this, "DelayBox");
  FDelay->setSuffix(QStringLiteral(" /100 s"));
  FLoopCount = CountBox(this, "LoopCountBox");
  FLoopCount->setSpecialValueText(QStringLiteral("forever"));
  FPalette = new QComboBox(this);
  FPalette->setObjectName(QStringLiteral("PaletteBox"));
  for (const GifPalette palette : Palettes) FPalette->addItem(QString::fromLatin1(TextOf(palette)));
  FOptimise = new QCheckBox(QStringLiteral("Only what changes"), this);
  FOptimise->setObjectName(QStringLiteral("OptimiseBox"));
  auto* layout = new QFormLayout(this);
  layout->addRow(QStringLiteral("Delay"), FDelay);
  layout->addRow(QStringLiteral("Loops"), FLoopCount);
  layout->addRow(QStringLiteral("Palette"), FPalette);
  layout->addRow(FOptimise);
  SetOptions(AnimationOptions{});
  connect(FDelay, &QSpinBox::valueChanged, this, &TAnimationOptionsBox::Announce);
  connect(FLoopCount, &QSpinBox::valueChanged, this, &TAnimationOptionsBox::Announce);
  connect(FPalette, &QComboBox::currentIndexChanged, this, &TAnimationOptionsBox::Announce);
  connect(FOptimise, &QCheckBox::toggled, this, &TAnimationOptionsBox::Announce);
}

AnimationOptions TAnimationOptionsBox::Options() const {
  AnimationOptions options;
  options.Delay = FDelay->value();
  options.LoopCount = FLoopCount->value();
  options.Palette = Palettes[static_cast<std::size_t>(std::max(FPalette->currentIndex(), 0))];
  options.Optimise = FOptimise->isChecked();
  return options;
}

void TAnimationOptionsBox::SetOptions(const AnimationOptions& options) {
  FSetting = true;
  FDelay->setValue(options.Delay);
  FLoopCount->setValue(options.LoopCount);
  FPalette->setCurrentIndex(options.Palette == GifPalette::Compact ? 1 : 0);
  FOptimise->setChecked(options.Optimise);
  FSetting = false;
}

AnimationOptions TAnimationOptionsBox::Load(QSettings& settings) {
  AnimationOptions options;
  settings.beginGroup(SettingsGroup);
  for (const TOptionField<AnimationOptions>& field : AnimationOptionFields()) {
    const QVariant stored = settings.value(QString::fromLatin1(field.Key));
    if (!stored.isValid()) continue;
    try {
      field.Parse(stored.toString().toStdString(), options);
    } catch (const EBadOptionValue&) {
      // Written by another version or by hand: the default stands.
    }
  }
  settings.endGroup();
  SetOptions(options);
  return options;
}

void TAnimationOptionsBox::Save(QSettings& settings) const {
  const AnimationOptions options = Options();
  settings.beginGroup(SettingsGroup);
  for (const TOptionField<AnimationOptions>& field : AnimationOptionFields())
    settings.setValue(QString::fromLatin1(field.Key), QString::fromStdString(field.Text(options)));
  settings.endGroup();
}

void TAnimationOptionsBox::Announce() {
  if (!FSetting) emit OptionsChanged(Options());
}

void TAnimationOptionsBox::RestoreDefaults() {
  SetOptions(AnimationOptions{});
  Announce();
}
