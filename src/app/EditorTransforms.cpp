// The Logo editor's transforms of the whole picture: the two mirrors and the
// four shifts by the shift step. Each makes a new monochrome picture of the
// editor's size and gives the view a copy of it, so the view's canvas starts
// again with the default pen and brush. Each is a step of the history.
#include "Bitmap.h"
#include "ImageView.h"
#include "Unit2.h"

std::unique_ptr<TBitmap> TForm2::NewPicture() const {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetMonochrome(true);
  bitmap->SetSize(PictureWidth, PictureHeight);
  return bitmap;
}

// Pixel by pixel through the two canvases.
void TForm2::Mirror(bool leftToRight) {
  RecordStep();
  const std::unique_ptr<TBitmap> mirrored = NewPicture();
  TCanvas& target = mirrored->Canvas();
  TCanvas& source = Canvas();
  for (int i = 0; i < PictureWidth; ++i)
    for (int j = 0; j < PictureHeight; ++j) {
      const int fromX = leftToRight ? PictureWidth - 1 - i : i;
      const int fromY = leftToRight ? j : PictureHeight - 1 - j;
      target.SetPixelColor(i, j, source.PixelColor(fromX, fromY));
    }
  View().Picture().Assign(mirrored.get());
}

void TForm2::Button8Click() { Mirror(true); }
void TForm2::Button9Click() { Mirror(false); }

// The picture drawn at an offset: what moves past an edge is lost, the strip
// left open on the other side is white.
void TForm2::Shift(int dx, int dy) {
  RecordStep();
  const std::unique_ptr<TBitmap> shifted = NewPicture();
  shifted->Canvas().Draw(dx, dy, View().Picture().Graphic());
  View().Picture().Assign(shifted.get());
}

void TForm2::Button11Click() { Shift(-ShiftStep, 0); }
void TForm2::Button10Click() { Shift(ShiftStep, 0); }
void TForm2::Button12Click() { Shift(0, -ShiftStep); }
void TForm2::Button13Click() { Shift(0, ShiftStep); }

void TForm2::ComboBox4Change(int index) { ShiftStep = index + 1; }
