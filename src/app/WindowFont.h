// The font of both windows: "MS Sans Serif" at 11 pixels (8 points on a
// 96-dpi screen); fontconfig stands in DejaVu Sans where the face is missing.
#pragma once

#include <QFont>

inline QFont WindowFont() {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  return font;
}
