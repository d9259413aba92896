// The font of both windows: "MS Sans Serif" at 11 pixels (8 points on a
// 96-dpi screen). Where that face is missing, a condensed sans face keeps the
// captions inside the controls' original widths better than a full-width one.
#pragma once

#include <QFont>
#include <QStringList>

inline QFont WindowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(11);
  return font;
}
