// TImage: the model of an image view. It owns the view's picture holder and
// a screen surface, a full-colour bitmap of the view's own size that stands
// for the view's area on the display. Painting draws the picture into its
// destination rectangle on that surface; the GIF painter paints animation
// frames onto the same surface. A window shows the surface 1:1 and repaints
// when OnInvalidate says so, so everything a user sees can be checked pixel
// by pixel without a display.
//
// Repainting is lazy: a change marks the surface out of date and reports it;
// the surface is painted again when it is next asked for. The whole surface
// is made only when it is asked for (Surface, SurfaceCanvas); a window asks
// for the part it shows (SurfaceArea), and only that part is painted, so a
// view far larger than what is seen of it (a frame slot of a big picture)
// costs no more than what is seen. An animation keeps the whole surface, which
// lasts until the picture is replaced: each new picture starts on an empty
// surface, as in a new view, so nothing of the old one shows through it. The
// image takes its picture holder's OnChange and OnReleasing for this.
#pragma once

#include <functional>

#include "Bitmap.h"
#include "Color.h"
#include "Geometry.h"
#include "Picture.h"

class TCanvas;

class TImage {
public:
  TImage(int width = 105, int height = 105);
  ~TImage();
  TImage(const TImage&) = delete;
  TImage& operator=(const TImage&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Negative sizes count as 0.
  void SetWidth(int width);
  void SetHeight(int height);
  void SetSize(int width, int height);

  TPicture& Picture() { return FPicture; }
  const TPicture& Picture() const { return FPicture; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool stretch);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool proportional);
  // The colour shown where the picture does not reach.
  TColor Color() const { return FColor; }
  void SetColor(TColor color);

  // The canvas of the held bitmap. With nothing held, a white full-colour
  // bitmap of the view's size is put in first; with anything but a bitmap,
  // raises "Can only modify an image if it contains a bitmap".
  TCanvas& Canvas();

  // Where the picture is shown: top-left at (0, 0), its size by Stretch and
  // Proportional.
  TRect DestRect() const;

  // The view's area on the display, painted first when it is out of date.
  const TBitmap& Surface();
  // The canvas painters draw the view's frames on.
  TCanvas& SurfaceCanvas();
  // What the surface shows inside area (view coordinates, cut to the view),
  // as a full-colour image of that part's size. Only that part is painted
  // (unless the whole surface was made: then it is taken from there).
  TPixelImage SurfaceArea(const TRect& area);
  // Draws the picture into DestRect on the surface, the rest in Color.
  void Paint();
  // Marks the surface out of date and reports the whole view, once until the
  // next paint: a picture drawn on pixel by pixel asks for one repaint, not
  // one per pixel.
  void Invalidate();

  // Called with the area of the view that has to be shown again.
  std::function<void(const TRect&)> OnInvalidate;

private:
  void Report();
  // Makes the whole surface, at the view's size, when it is first asked for.
  void MakeSurface();
  // Forgets the whole surface: it is made again, white, when next asked for.
  void DropSurface();
  // Draws what the view shows onto target, whose top-left stands at origin of the view.
  void PaintOnto(TBitmap& target, TPoint origin);

  int FWidth = 0;
  int FHeight = 0;
  bool FSurfaceMade = false;
  TBitmap FSurface;
  TPicture FPicture;  // after the surface: released first, while the surface still lives
  bool FStretch = false;
  bool FProportional = false;
  TColor FColor = clBtnFace;
  bool FOutOfDate = true;
  bool FRepaintRequested = false;
  bool FPainting = false;
};
