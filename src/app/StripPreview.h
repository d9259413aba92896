// TStripPreview: a small view that plays the four frames of a strip in turn,
// each for its own delay, as the phone will show them. It plays only while it
// can be seen; hidden, it keeps its place and goes on from there when shown
// again. Frames larger than the view are scaled down to fit, smaller ones up.
#pragma once

#include <memory>
#include <vector>

#include <QTimer>
#include <QWidget>

#include "Bitmap.h"
#include "GIFImage.h"

class TImage;
class TImageView;

class TStripPreview : public QWidget {
  Q_OBJECT

public:
  explicit TStripPreview(QWidget* parent);

  // Plays the four frames of the strip (a quarter of its height each) with
  // the delays in milliseconds, from the first; nullptr shows nothing.
  void Play(const TBitmap* strip, const std::vector<int>& delaysMs);
  // The frame shown, from 0; -1 when nothing is shown.
  int ShownFrame() const { return FShown; }
  const std::vector<int>& DelaysMs() const { return FDelaysMs; }
  TImage& View();

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  void Show(int frame);
  void Next();

  TImageView* FView = nullptr;
  QTimer FTimer;
  std::vector<std::unique_ptr<TBitmap>> FFrames;
  std::vector<int> FDelaysMs;
  int FShown = -1;
};

// How long the preview shows a frame of the GIF with this control block: its
// delay, in hundredths of a second. A frame without one (nullptr, or a delay
// of 0) shows for a tenth of a second, and none for less than 3 hundredths,
// as the input view's animation does.
int PreviewDelayMs(const TGIFGraphicControlExtension* control);
