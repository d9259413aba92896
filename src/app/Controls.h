// Placing the controls of a window: every control is made with its parent
// (which owns it, as Qt windows own their widgets), its name (the object name
// that tests and the window's handlers know it by) and its bounds in the
// parent, in pixels. Speed buttons show their selected state flat and the
// others raised.
#pragma once

#include <QRect>
#include <QString>
#include <QToolButton>
#include <QWidget>

template <class TControl>
TControl* Place(QWidget* parent, const char* name, const QRect& bounds) {
  auto* control = new TControl(parent);
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(bounds);
  return control;
}

template <class TControl>
TControl* Place(QWidget* parent, const char* name, const QRect& bounds, const QString& caption) {
  TControl* control = Place<TControl>(parent, name, bounds);
  control->setText(caption);
  return control;
}

// A flat speed button is the selected one of its group.
inline void SetFlat(QToolButton* button, bool flat) { button->setAutoRaise(flat); }
inline bool IsFlat(const QToolButton* button) { return button->autoRaise(); }
