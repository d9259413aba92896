// TGraphic: the common base of everything a picture holder can hold (TBitmap,
// and the GIF document TGIFImage). A graphic has a size, can draw itself into
// a rectangle of a canvas, can make a copy of itself, and reads and writes
// itself as a byte stream or a named file.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Geometry.h"

class TCanvas;
class TStream;

class TGraphic {
public:
  virtual ~TGraphic() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;

  // Draws the graphic scaled to fill rect on the canvas.
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
  // True for a graphic that goes on painting onto the canvas it was drawn on
  // (an animation): it needs a canvas that lasts, not a passing one.
  virtual bool PaintsOverTime() const { return false; }
  // A new graphic of the same class, copied from this one.
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  // Opens the file for reading (others may read, not write) and reads it;
  // raises "Cannot open file %s" when it cannot be opened.
  virtual void LoadFromFile(const std::string& fileName);
  // Writes the graphic beside the named file and replaces it only when the
  // whole graphic is written, so a failed save never destroys the old file.
  virtual void SaveToFile(const std::string& fileName);

  // Called after the picture changed; its holder repaints.
  std::function<void(TGraphic&)> OnChange;

protected:
  TGraphic() = default;
  // A copy starts unwatched: the handler belongs to the original's holder.
  TGraphic(const TGraphic&) {}
  TGraphic& operator=(const TGraphic&) { return *this; }

  void Changed();
};
