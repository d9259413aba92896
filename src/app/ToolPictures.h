// The pictures on the Logo editor's speed buttons: the six tools, the three
// pen styles, fill and no fill. Drawn here rather than loaded from files.
#pragma once

#include <QIcon>

enum class TToolPicture { Pencil, Line, Circle, Rect, RoundRect, Text, PenSolid, PenDot, PenClear, Fill, NoFill };

QIcon ToolPicture(TToolPicture picture);
