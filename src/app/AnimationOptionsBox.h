// TAnimationOptionsBox: the choices of the GIF that Animate builds, in a
// group box of their own: the delay of every frame in hundredths of a second,
// the loop count (0 loops forever), the palette (the 216-colour cube or a
// compact global table) and whether frames after the first are cut down to
// what changed. Every change by the user is announced with the new choices.
// The choices are remembered in QSettings by their text names (those of the
// command line); a remembered value that no longer reads keeps the default.
#pragma once

#include <QGroupBox>

#include "AnimationOptions.h"

class QCheckBox;
class QComboBox;
class QSettings;
class QSpinBox;

class TAnimationOptionsBox : public QGroupBox {
  Q_OBJECT

public:
  explicit TAnimationOptionsBox(QWidget* parent = nullptr);

  AnimationOptions Options() const;
  // Shows the choices without announcing them.
  void SetOptions(const AnimationOptions& options);
  // The choices remembered under the group "Animation"; missing or unreadable
  // ones are the defaults. Shown without announcing them, and returned.
  AnimationOptions Load(QSettings& settings);
  void Save(QSettings& settings) const;
  // Shows the defaults and announces them.
  void RestoreDefaults();

signals:
  void OptionsChanged(const AnimationOptions& options);

private:
  void Announce();

  QSpinBox* FDelay = nullptr;
  QSpinBox* FLoopCount = nullptr;
  QComboBox* FPalette = nullptr;
  QCheckBox* FOptimise = nullptr;
  bool FSetting = false;
};
