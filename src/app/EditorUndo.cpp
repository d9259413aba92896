// Undo and redo of the Logo editor's picture. Before each change (a stroke,
// New, a flip, a shift, a load) the editor records its state; Undo and Redo
// swap the state shown with one kept in the history. Only the picture goes
// back, with its size, shown at the zoom that "Big Size" now chooses: the
// pen, brush and font stay as the user set them last, as the controls still
// show them.
#include <QAction>

#include "ImageView.h"
#include "Unit2.h"

TEditorState TForm2::CurrentState() {
  const TGraphic* picture = View().Picture().Graphic();
  return TEditorState{picture ? picture->Clone() : nullptr, PictureWidth, PictureHeight};
}

void TForm2::RestoreState(TEditorState state) {
  const TCanvas& drawing = Canvas();
  const TPen pen = drawing.Pen;
  const TBrush brush = drawing.Brush;
  const TFont font = drawing.Font;
  PictureWidth = state.PictureWidth;
  PictureHeight = state.PictureHeight;
  View().Picture().SetGraphic(std::move(state.Picture));
  ShowAtZoom();
  TCanvas& restored = Canvas();
  restored.Pen = pen;
  restored.Brush = brush;
  restored.Font = font;
}

void TForm2::RecordStep() {
  History.Record(CurrentState());
  ShowHistoryState();
}

// Not in the middle of a stroke: its rubber band is still on the picture.
void TForm2::Undo1Click() {
  if (Stroking || !History.CanUndo()) return;
  RestoreState(History.Undo(CurrentState()));
  ShowHistoryState();
}

void TForm2::Redo1Click() {
  if (Stroking || !History.CanRedo()) return;
  RestoreState(History.Redo(CurrentState()));
  ShowHistoryState();
}

void TForm2::ShowHistoryState() {
  FUndo1->setEnabled(History.CanUndo());
  FRedo1->setEnabled(History.CanRedo());
}
