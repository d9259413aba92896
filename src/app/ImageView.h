// TImageView: the widget of an image view. It owns the view's model (TImage:
// the picture, its placement and the screen surface), shows the model's
// screen surface 1:1 (only the part of it that can be seen, which is all that
// is painted), takes the model's size as its own fixed size, and
// repaints whatever the model reports as changed. Pointer events are handed on
// in view coordinates; the right button opens the view's context menu when it
// has one instead. A grid of thin lines can be laid over the picture on the
// screen: it is painted by the widget only, never into the model.
#pragma once

#include <functional>

#include <QWidget>

#include "Image.h"

class QMenu;
class QPainter;

class TImageView : public QWidget {
  Q_OBJECT

public:
  TImageView(QWidget* parent, const char* name, const QRect& bounds);
  ~TImageView() override;

  TImage& Model() { return FModel; }
  void SetContextMenu(QMenu* menu) { FContextMenu = menu; }
  // Lines between cells of cellSize x cellSize view pixels, one cell per
  // picture pixel, from the top-left; 0 shows none.
  void SetGridCell(int cellSize);

  // Pointer position in view coordinates (negative or beyond the view while
  // a button is held and the pointer is outside).
  std::function<void(int x, int y)> OnMouseDown;
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void(int x, int y)> OnMouseUp;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  void ModelInvalidated(const TRect& area);
  bool OpensMenu(Qt::MouseButton button) const;
  void PaintGrid(QPainter& painter);

  TImage FModel;
  QMenu* FContextMenu = nullptr;
  int FGridCell = 0;
};
