// The Logo editor's picture and drawing: New with the four sizes and their
// zoom, the tool, pen and brush choices, the pointer protocol (a rubber band
// drawn and taken away in pmNotXor while the button is held, the final shape
// in pmCopy on release; the pencil joins each position to the one before),
// DrawShape, the one routine every tool draws with, and the pixel grid.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "AppSettings.h"
#include "Bitmap.h"
#include "Controls.h"
#include "ImageView.h"
#include "Unit2.h"

TImage& TForm2::View() { return FImage1->Model(); }
TCanvas& TForm2::Canvas() { return View().Canvas(); }

const TEditorSize* TForm2::CheckedSize() const {
  for (const auto& [button, size] : FSizes)
    if (button->isChecked()) return &size;
  return nullptr;
}

// New: a white monochrome picture of the checked size, shown in a view of
// the normal or the big size. The old picture goes without asking: Undo
// brings it back.
void TForm2::Button2Click() {
  RecordStep();
  New();
}

void TForm2::New() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetMonochrome(true);
  if (const TEditorSize* size = CheckedSize()) {
    PictureWidth = size->PictureWidth;
    PictureHeight = size->PictureHeight;
    bitmap->SetSize(PictureWidth, PictureHeight);
  }
  EditorBitmap = std::move(bitmap);
  View().Picture().Assign(EditorBitmap.get());
  ShowAtZoom();
  Canvas().Brush.Style = TBrushStyle::bsClear;
}

// The picture stays as it is and is shown at the new zoom at once, so that
// the pointer and the grid keep matching its pixels.
void TForm2::CheckBox1Click() { ShowAtZoom(); }

// The view takes the size that "Big Size" chooses for the picture, and the
// divisor from the pointer to the picture (and with it the grid) is the zoom
// the picture is shown at.
void TForm2::ShowAtZoom() {
  const bool big = FCheckBox1->isChecked();
  const TEditorSize* size = EditorSizeOf(PictureWidth, PictureHeight);
  if (size == nullptr) return;  // every picture is made by New in one of the sizes
  View().SetSize(big ? size->BigViewWidth : size->ViewWidth, big ? size->BigViewHeight : size->ViewHeight);
  SetZoomDivisor(big ? size->BigZoomDivisor : NormalZoomDivisor);
}

void TForm2::SetZoomDivisor(int divisor) {
  ZoomDivisor = divisor;
  ShowGrid();
}

void TForm2::Grid1Click() {
  SetGridShown(FGrid1->isChecked());
  ShowGrid();
}

// One grid cell per picture pixel that the pointer reaches; below a divisor
// of 3 the lines would hide the picture.
void TForm2::ShowGrid() {
  const bool shown = FGrid1->isChecked() && ZoomDivisor >= 3;
  FImage1->SetGridCell(shown ? ZoomDivisor : 0);
}

void TForm2::ChooseTool(TTool tool) {
  for (const auto& [button, buttonTool] : FToolButtons) SetFlat(button, buttonTool == tool);
  CurrentTool = tool;
}

void TForm2::SpeedButton1Click() { ChooseTool(TTool::line); }
void TForm2::SpeedButton2Click() { ChooseTool(TTool::circle); }
void TForm2::SpeedButton3Click() { ChooseTool(TTool::rect); }
void TForm2::SpeedButton4Click() { ChooseTool(TTool::roundrect); }
void TForm2::SpeedButton9Click() { ChooseTool(TTool::pencil); }
void TForm2::SpeedButton11Click() { ChooseTool(TTool::text); }

void TForm2::ChoosePenStyle(TPenStyle style) {
  for (const auto& [button, buttonStyle] : FPenStyleButtons) SetFlat(button, buttonStyle == style);
  Canvas().Pen.Style = style;
}

void TForm2::SpeedButton5Click() { ChoosePenStyle(TPenStyle::psSolid); }
void TForm2::SpeedButton6Click() { ChoosePenStyle(TPenStyle::psDot); }
void TForm2::SpeedButton7Click() { ChoosePenStyle(TPenStyle::psClear); }

// Fill: a black solid brush.
void TForm2::SpeedButton8Click() {
  SetFlat(FSpeedButton8, true);
  SetFlat(FSpeedButton10, false);
  Canvas().Brush = TBrush{clBlack, TBrushStyle::bsSolid};
}

// No fill: a white clear brush.
void TForm2::SpeedButton10Click() {
  SetFlat(FSpeedButton8, false);
  SetFlat(FSpeedButton10, true);
  Canvas().Brush = TBrush{clWhite, TBrushStyle::bsClear};
}

void TForm2::ComboBox1Change(int index) { Canvas().Pen.Width = index + 1; }

void TForm2::ComboBox2Change(int index) {
  if (index == 0) Canvas().Pen.Color = clBlack;
  if (index == 1) Canvas().Pen.Color = clWhite;
}

void TForm2::ComboBox3Change(int index) {
  if (index == 0) Canvas().Brush.Color = clBlack;
  if (index == 1) Canvas().Brush.Color = clWhite;
}

// View coordinates divided by the zoom, truncated toward zero (-1 / 2 is 0).
TPoint TForm2::ToPicture(TPoint viewPoint) const {
  return TPoint{viewPoint.X / ZoomDivisor, viewPoint.Y / ZoomDivisor};
}

// Where the shape being drawn starts: the pencil goes on from where the
// pointer was last seen, every other tool draws from where the button went
// down.
TPoint TForm2::ShapeStart() const { return ToPicture(CurrentTool == TTool::pencil ? StrokeLast : StrokeStart); }

// Each stroke is a step of the history.
void TForm2::Image1MouseDown(int x, int y) {
  RecordStep();
  Stroking = true;
  StrokeStart = StrokeLast = TPoint{x, y};
}

void TForm2::Image1MouseMove(int x, int y) {
  const TPoint at = ToPicture(TPoint{x, y});
  FLabel2->setText(QString::number(at.X));
  FLabel4->setText(QString::number(at.Y));
  if (!Stroking) return;
  const TPoint start = ShapeStart();
  const TPoint last = ToPicture(StrokeLast);
  DrawShape(start.X, start.Y, last.X, last.Y, TPenMode::pmNotXor);  // takes the old rubber band away
  StrokeLast = TPoint{x, y};
  DrawShape(start.X, start.Y, at.X, at.Y, TPenMode::pmNotXor);
}

// The final shape is drawn over the last rubber band.
void TForm2::Image1MouseUp(int x, int y) {
  const TPoint start = ShapeStart();
  StrokeLast = TPoint{x, y};
  if (!Stroking) return;
  const TPoint end = ToPicture(StrokeLast);
  DrawShape(start.X, start.Y, end.X, end.Y, TPenMode::pmCopy);
  Stroking = false;
}

void TForm2::DrawShape(int x1, int y1, int x2, int y2, TPenMode mode) {
  TCanvas& canvas = Canvas();
  canvas.Pen.Mode = mode;
  switch (CurrentTool) {
    case TTool::line:
      canvas.MoveTo(x1, y1);
      canvas.LineTo(x2, y2);
      break;
    case TTool::circle: canvas.Ellipse(x1, y1, x2, y2); break;
    case TTool::rect: canvas.Rectangle(x1, y1, x2, y2); break;
    case TTool::roundrect: canvas.RoundRect(x1, y1, x2, y2, (x1 - x2) / 2, (y1 - y2) / 2); break;
    case TTool::pencil: PencilLine(x1, y1, x2, y2); break;
    case TTool::text: canvas.TextOut(x1, y1, FEdit1->text().toStdString()); break;
  }
}

// A line one pixel wide from the pencil's last position to its new one, both
// ends set, so that a stroke stays unbroken however fast the pointer moves.
// Always copied, in the colour of the pen colour box whatever the pen colour
// is; the pen that the other tools use keeps its width and style.
void TForm2::PencilLine(int x1, int y1, int x2, int y2) {
  TCanvas& canvas = Canvas();
  const TPen pen = canvas.Pen;
  const TColor color = FComboBox2->currentIndex() == 0 ? clBlack : clWhite;
  canvas.Pen = TPen{color, 1, TPenStyle::psSolid, TPenMode::pmCopy};
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
  canvas.SetPixelColor(x2, y2, color);
  canvas.Pen = pen;
}
