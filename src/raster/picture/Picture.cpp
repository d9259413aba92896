#include "Picture.h"

#include "Bitmap.h"

TPicture::~TPicture() {
  // Destruction is no change the owner needs to hear about.
  if (FGraphic) FGraphic->OnChange = nullptr;
}

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::Assign(const TGraphic* graphic) {
  // Copy first: the graphic given may be the one about to be released.
  SetGraphic(graphic ? graphic->Clone() : nullptr);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
  if (FGraphic) {
    if (OnReleasing) OnReleasing(*FGraphic);
    FGraphic->OnChange = nullptr;
  }
  FGraphic = std::move(graphic);
  if (FGraphic) FGraphic->OnChange = [this](TGraphic&) { Changed(); };
  Changed();
}

TBitmap& TPicture::Bitmap() {
  if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get())) return *bitmap;
  auto bitmap = std::make_unique<TBitmap>();
  TBitmap& result = *bitmap;
  SetGraphic(std::move(bitmap));
  return result;
}

void TPicture::SaveToFile(const std::string& fileName) {
  if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::Changed() {
  if (OnChange) OnChange();
}
