#include "ImageView.h"

#include <algorithm>
#include <cmath>

#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "Bitmap.h"

namespace {

// Half-transparent grey: a light line over white pixels, a dark one over
// black, so the grid shows on both without hiding the picture.
const QColor GridColor(0x80, 0x80, 0x80, 0x80);

// The screen surface as a Qt image: 32-bit rows of blue, green, red and an
// unused byte are Qt's RGB32 on a little-endian machine; anything else is
// converted pixel by pixel.
QImage SurfaceImage(const TPixelImage& dib) {
  if (dib.BitCount() == 32 && !dib.BitFields())
    return QImage(dib.ScanLine(0), dib.Width(), dib.Height(), dib.RowBytes(), QImage::Format_RGB32);
  QImage image(dib.Width(), dib.Height(), QImage::Format_RGB32);
  for (int y = 0; y < dib.Height(); ++y)
    for (int x = 0; x < dib.Width(); ++x) {
      const TColor color = dib.GetPixel(x, y);
      image.setPixel(x, y, qRgb(GetRValue(color), GetGValue(color), GetBValue(color)));
    }
  return image;
}

QPoint ViewPoint(const QMouseEvent* event) {
  const QPointF at = event->position();
  return QPoint(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
}

}  // namespace

TImageView::TImageView(QWidget* parent, const char* name, const QRect& bounds)
    : QWidget(parent), FModel(bounds.width(), bounds.height()) {
  setObjectName(QString::fromLatin1(name));
  setGeometry(bounds);
  setFixedSize(bounds.size());
  setAttribute(Qt::WA_OpaquePaintEvent);
  FModel.OnInvalidate = [this](const TRect& area) { ModelInvalidated(area); };
}

TImageView::~TImageView() { FModel.OnInvalidate = nullptr; }

void TImageView::ModelInvalidated(const TRect& area) {
  const QSize size(FModel.Width(), FModel.Height());
  if (this->size() != size) setFixedSize(size);
  update(QRect(area.Left, area.Top, area.Width(), area.Height()));
}

// Only the part of the view that is to be painted and can be seen: a view as
// large as a big picture shows a small window's worth of it.
void TImageView::paintEvent(QPaintEvent* event) {
  const QRect shown = event->rect() & visibleRegion().boundingRect();
  if (shown.isEmpty()) return;
  const TPixelImage area = FModel.SurfaceArea(TRect{shown.left(), shown.top(), shown.right() + 1, shown.bottom() + 1});
  if (area.Empty()) return;
  QPainter painter(this);
  painter.drawImage(shown.topLeft(), SurfaceImage(area));
  if (FGridCell > 0) PaintGrid(painter);
}

void TImageView::SetGridCell(int cellSize) {
  if (cellSize == FGridCell) return;
  FGridCell = cellSize;
  update();
}

// The line between two cells takes the first column (row) of the second.
void TImageView::PaintGrid(QPainter& painter) {
  const int right = std::min(width(), FModel.Picture().Width() * FGridCell);
  const int bottom = std::min(height(), FModel.Picture().Height() * FGridCell);
  painter.setPen(GridColor);
  for (int x = FGridCell; x < right; x += FGridCell) painter.drawLine(x, 0, x, bottom - 1);
  for (int y = FGridCell; y < bottom; y += FGridCell) painter.drawLine(0, y, right - 1, y);
}

bool TImageView::OpensMenu(Qt::MouseButton button) const {
  return FContextMenu != nullptr && button == Qt::RightButton;
}

void TImageView::mousePressEvent(QMouseEvent* event) {
  if (OpensMenu(event->button())) return QWidget::mousePressEvent(event);
  const QPoint at = ViewPoint(event);
  if (OnMouseDown) OnMouseDown(at.x(), at.y());
}

void TImageView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = ViewPoint(event);
  if (OnMouseMove) OnMouseMove(at.x(), at.y());
}

void TImageView::mouseReleaseEvent(QMouseEvent* event) {
  if (OpensMenu(event->button())) return QWidget::mouseReleaseEvent(event);
  const QPoint at = ViewPoint(event);
  if (OnMouseUp) OnMouseUp(at.x(), at.y());
}

void TImageView::contextMenuEvent(QContextMenuEvent* event) {
  if (FContextMenu) FContextMenu->exec(event->globalPos());
}
