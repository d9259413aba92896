// TPicture: the picture holder of an image view. It owns at most one graphic
// (a bitmap or a GIF document), keeps its own copy of whatever is assigned,
// and tells its owner when the picture changes so that the view repaints.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Graphic.h"

class TBitmap;

class TPicture {
public:
  TPicture() = default;
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // The held graphic, or nullptr.
  TGraphic* Graphic() const { return FGraphic.get(); }
  int Width() const;
  int Height() const;

  // Keeps a copy of the graphic (a new object of its class); nullptr empties
  // the holder. The given graphic may be the held one.
  void Assign(const TGraphic* graphic);
  // Takes over a graphic made for this holder.
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  // The held bitmap; when the holder holds anything else (or nothing), that
  // is released and a new empty bitmap put in its place.
  TBitmap& Bitmap();

  // The held graphic writes itself; when nothing is held, no file is made.
  void SaveToFile(const std::string& fileName);

  // Called after the picture was replaced or the held graphic changed.
  std::function<void()> OnChange;
  // Called with the old graphic just before the holder releases it (while it
  // is still whole), so that whatever shows it (an animation) can stop first.
  std::function<void(TGraphic&)> OnReleasing;

private:
  void Changed();

  std::unique_ptr<TGraphic> FGraphic;
};
