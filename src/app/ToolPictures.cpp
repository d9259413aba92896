#include "ToolPictures.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int PictureWidth = 24;
constexpr int PictureHeight = 16;

void DrawPicture(QPainter& painter, TToolPicture picture) {
  const QRect box(4, 2, 15, 11);
  switch (picture) {
    case TToolPicture::Pencil:
      painter.drawLine(5, 13, 17, 3);
      painter.drawLine(7, 14, 19, 4);
      painter.drawLine(5, 13, 7, 14);
      break;
    case TToolPicture::Line: painter.drawLine(4, 13, 19, 2); break;
    case TToolPicture::Circle: painter.drawEllipse(box); break;
    case TToolPicture::Rect: painter.drawRect(box); break;
    case TToolPicture::RoundRect: painter.drawRoundedRect(box, 4, 4); break;
    case TToolPicture::Text: painter.drawText(QRect(0, 0, PictureWidth, PictureHeight), Qt::AlignCenter, "T"); break;
    case TToolPicture::PenSolid: painter.drawLine(2, 8, 21, 8); break;
    case TToolPicture::PenDot:
      for (int x = 2; x < 22; x += 3) painter.drawPoint(x, 8);
      break;
    case TToolPicture::PenClear:
      painter.setPen(Qt::DotLine);
      painter.drawRect(box);
      break;
    case TToolPicture::Fill: painter.fillRect(box, Qt::black); break;
    case TToolPicture::NoFill: painter.drawRect(box); break;
  }
}

}  // namespace

QIcon ToolPicture(TToolPicture picture) {
  QPixmap pixmap(PictureWidth, PictureHeight);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(QPen(Qt::black, 1));
  DrawPicture(painter, picture);
  painter.end();
  return QIcon(pixmap);
}
