#include "StripPreview.h"

#include <algorithm>

#include "BmxStrip.h"
#include "ImageView.h"

TStripPreview::TStripPreview(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("StripPreview"));
  FView = new TImageView(this, "PreviewImage", QRect(0, 0, 152, 96));
  View().SetStretch(true);
  View().SetProportional(true);
  setFixedSize(FView->size());
  FTimer.setSingleShot(true);
  connect(&FTimer, &QTimer::timeout, this, &TStripPreview::Next);
}

TImage& TStripPreview::View() { return FView->Model(); }

void TStripPreview::Play(const TBitmap* strip, const std::vector<int>& delaysMs) {
  FTimer.stop();
  FFrames.clear();
  FDelaysMs.clear();
  if (strip != nullptr) {
    const int frameHeight = FrameHeightOf(strip->Height());
    for (int k = 0; k < StripFrameCount; ++k)
      FFrames.push_back(std::make_unique<TBitmap>(CutStripFrame(*strip, k, frameHeight)));
    FDelaysMs = delaysMs;
    FDelaysMs.resize(FFrames.size(), PreviewDelayMs(nullptr));
  }
  Show(FFrames.empty() ? -1 : 0);
}

void TStripPreview::Show(int frame) {
  FShown = frame;
  View().Picture().Assign(frame < 0 ? nullptr : FFrames[static_cast<std::size_t>(frame)].get());
  if (frame >= 0 && isVisible()) FTimer.start(FDelaysMs[static_cast<std::size_t>(frame)]);
}

void TStripPreview::Next() {
  if (!FFrames.empty()) Show((FShown + 1) % static_cast<int>(FFrames.size()));
}

void TStripPreview::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (FShown >= 0 && !FTimer.isActive()) FTimer.start(FDelaysMs[static_cast<std::size_t>(FShown)]);
}

void TStripPreview::hideEvent(QHideEvent* event) {
  FTimer.stop();
  QWidget::hideEvent(event);
}

int PreviewDelayMs(const TGIFGraphicControlExtension* control) {
  constexpr int UnitMs = 10;
  constexpr int WithoutDelay = 10;
  constexpr int Shortest = 3;
  const int units = control == nullptr || control->Delay() == 0 ? WithoutDelay : control->Delay();
  return std::max(units, Shortest) * UnitMs;
}
