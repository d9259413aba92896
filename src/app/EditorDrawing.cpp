// The Logo editor's picture and drawing: New with the four sizes and their
// zoom, the tool, pen and brush choices, the pointer protocol (a rubber band
// drawn and taken away in pmNotXor while the button is held, the final shape
// in pmCopy on release) and DrawShape, the one routine every tool draws with.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "Bitmap.h"
#include "Controls.h"
#include "ImageView.h"
#include "Unit2.h"

TImage& TForm2::View() { return FImage1->Model(); }
// Before the first New the view holds nothing, and its canvas is that of a
// white full-colour bitmap of the view's size, made on first use.
TCanvas& TForm2::Canvas() { return View().Canvas(); }

const TEditorSize* TForm2::CheckedSize() const {
  for (const auto& [button, size] : FSizes)
    if (button->isChecked()) return &size;
  return nullptr;
}

// New: a white monochrome picture of the checked size, shown in a view of
// the normal or the big size. The old picture goes without asking.
void TForm2::Button2Click() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetMonochrome(true);
  if (const TEditorSize* size = CheckedSize()) {
    PictureWidth = size->PictureWidth;
    PictureHeight = size->PictureHeight;
    bitmap->SetSize(PictureWidth, PictureHeight);
    View().SetSize(size->ViewWidth, size->ViewHeight);
    if (FCheckBox1->isChecked()) {
      View().SetSize(size->BigViewWidth, size->BigViewHeight);
      ZoomDivisor = size->BigZoomDivisor;
    }
  }
  EditorBitmap = std::move(bitmap);
  View().Picture().Assign(EditorBitmap.get());
  Canvas().Brush.Style = TBrushStyle::bsClear;
}

// The divisor changes at once; the view keeps its size until the next New.
void TForm2::CheckBox1Click() { ZoomDivisor = FCheckBox1->isChecked() ? 4 : 2; }

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

void TForm2::Image1MouseDown(int x, int y) {
  Stroking = true;
  StrokeStart = StrokeLast = TPoint{x, y};
}

void TForm2::Image1MouseMove(int x, int y) {
  const TPoint at = ToPicture(TPoint{x, y});
  FLabel2->setText(QString::number(at.X));
  FLabel4->setText(QString::number(at.Y));
  if (!Stroking) return;
  const TPoint start = ToPicture(StrokeStart);
  const TPoint last = ToPicture(StrokeLast);
  DrawShape(start.X, start.Y, last.X, last.Y, TPenMode::pmNotXor);  // takes the old rubber band away
  StrokeLast = TPoint{x, y};
  DrawShape(start.X, start.Y, at.X, at.Y, TPenMode::pmNotXor);
}

// The final shape is drawn over the last rubber band.
void TForm2::Image1MouseUp(int x, int y) {
  StrokeLast = TPoint{x, y};
  if (!Stroking) return;
  const TPoint start = ToPicture(StrokeStart);
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
    case TTool::pencil:
      // One pixel per pointer event, always copied, in the colour of the pen
      // colour box whatever the pen colour is.
      canvas.Pen.Mode = TPenMode::pmCopy;
      canvas.SetPixelColor(x2, y2, FComboBox2->currentIndex() == 0 ? clBlack : clWhite);
      break;
    case TTool::text: canvas.TextOut(x1, y1, FEdit1->text().toStdString()); break;
  }
}
