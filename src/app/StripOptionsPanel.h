// TStripOptionsPanel: the Converter's "Strip options" tool window. A small
// panel, never modal, with every choice of how a GIF becomes its strip:
// frames as shown or as stored; which four frames (the first four, four
// spread through the animation, or four numbers counted from 1 as Info
// counts them); what a GIF of fewer frames does; the size (the GIF's own, a
// phone preset or any width and height) and how the picture fits it; the
// black-and-white method and invert; the choices of the GIF that Animate
// builds; and Defaults. Below them a preview plays the strip's four frames.
//
// The panel shows one set of choices and reports each change the user makes
// (Changed); what follows is the window's business. The combo boxes carry
// the conversion library's text names of the choices as their items' data,
// so the panel reads its choices through the same names the settings and the
// command line use.
#pragma once

#include <QDialog>

#include "StripOptions.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QRadioButton;
class QSpinBox;
class TAnimationOptionsBox;
class TStripPreview;

class TStripOptionsPanel : public QDialog {
  Q_OBJECT

public:
  explicit TStripOptionsPanel(QWidget* parent);

  StripOptions Options() const;
  // Shows the choices without reporting a change.
  void SetOptions(const StripOptions& options);
  TStripPreview& Preview() { return *FPreview; }
  TAnimationOptionsBox& AnimationBox() { return *FAnimation; }

signals:
  // The user changed a choice (Defaults included).
  void Changed();

private:
  QGroupBox* BuildFrames();
  QGroupBox* BuildSize();
  QGroupBox* BuildBlackAndWhite();
  QRadioButton* AddRadio(QWidget* parent, const char* name, const QString& caption);
  QComboBox* AddCombo(const char* name, std::initializer_list<std::pair<QString, const char*>> items);
  QSpinBox* AddSpin(const char* name, int low, int high);
  void Watch(QAbstractButton* button);
  void SelectSize(const StripOptions& options);
  QString SizeName() const;
  void EnableDependents();
  void UserChanged();

  bool FShowing = true;  // the controls are being built, or SetOptions is filling them in
  QRadioButton* FAsShown = nullptr;
  QRadioButton* FAsStored = nullptr;
  QRadioButton* FFirstFour = nullptr;
  QRadioButton* FSpread = nullptr;
  QRadioButton* FList = nullptr;
  QSpinBox* FFrameNumbers[4] = {};
  QComboBox* FShortGif = nullptr;
  QComboBox* FSize = nullptr;
  QSpinBox* FTargetWidth = nullptr;
  QSpinBox* FTargetHeight = nullptr;
  QComboBox* FFit = nullptr;
  QComboBox* FMono = nullptr;
  QSpinBox* FThreshold = nullptr;
  QCheckBox* FInvert = nullptr;
  TStripPreview* FPreview = nullptr;
  TAnimationOptionsBox* FAnimation = nullptr;
};
