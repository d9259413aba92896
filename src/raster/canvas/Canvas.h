// TCanvas: the drawing state of one bitmap (pen, brush, font, copy mode, pen
// position) and the operations that draw on it, which reach the bitmap's
// pixels through its surface (CanvasSurface.h). Figures come as coverages
// from the rasteriser and the font renderer; the canvas decides what each
// covered pixel becomes, once per pixel. Everything outside the bitmap is cut
// off silently; reading outside gives -1.
//
// A canvas belongs to its bitmap and lives as long as it. Whoever paints on a
// canvas later (the GIF painter) keeps its LivenessToken and checks it before
// each paint: the token expires when the canvas is destroyed.
#pragma once

#include <memory>
#include <string>

#include "Blit.h"
#include "CanvasSurface.h"
#include "Color.h"
#include "Geometry.h"
#include "Rasteriser.h"

class TCoverage;
class TPixelImage;
class TGraphic;

// pmCopy: the pixel becomes the pen colour. pmNotXor: the pixel becomes
// NOT (pixel XOR pen colour), bit by bit, so drawing a figure twice restores it.
enum class TPenMode { pmCopy, pmNotXor };
enum class TBrushStyle { bsSolid, bsClear };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
  TPenMode Mode = TPenMode::pmCopy;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

inline constexpr int DEFAULT_CHARSET = 1;

struct TFont {
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points; the pixel height follows PixelsPerInch
  TColor Color = clWindowText;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  int Charset = DEFAULT_CHARSET;
  int PixelsPerInch = 96;
};

class TCanvas {
public:
  explicit TCanvas(TCanvasSurface& surface);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen Pen;
  TBrush Brush;
  TFont Font;
  TCopyMode CopyMode = TCopyMode::cmSrcCopy;
  TPoint PenPos;

  // The surface's rectangle: everything drawn is cut to it.
  TRect ClipRect() const;

  // The RGB colour of a pixel; -1 outside the surface.
  TColor PixelColor(int x, int y) const;
  // Sets a pixel (a system colour is resolved, -1 gives black); outside the
  // surface nothing happens.
  void SetPixelColor(int x, int y, TColor color);

  void MoveTo(int x, int y);
  // A line with the pen to (x, y), the end point not drawn; the pen moves there.
  void LineTo(int x, int y);
  // Boxed figures: corners (x1, y1) and (x2 - 1, y2 - 1), outline with the
  // pen, inside with the brush.
  void Rectangle(int x1, int y1, int x2, int y2);
  void Ellipse(int x1, int y1, int x2, int y2);
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
  // The text with its cell's top-left at (x, y), in the font and font colour;
  // a solid brush fills the cell first. The pen moves to (x + text width, y).
  void TextOut(int x, int y, const std::string& text);
  TPoint TextExtent(const std::string& text) const;
  // Fills the rectangle with the brush (whatever the pen mode).
  void FillRect(const TRect& rect);

  // The graphic at its own size with its top-left at (x, y); nothing for an
  // absent or empty graphic.
  void Draw(int x, int y, TGraphic* graphic);
  // The graphic scaled to fill the rectangle.
  void StretchDraw(const TRect& rect, TGraphic* graphic);
  // Copies sourceRect of another canvas (or this one) into destRect, scaled,
  // with CopyMode; the source's background colour is its brush colour.
  void CopyRect(const TRect& destRect, const TCanvas& source, const TRect& sourceRect);
  // Copies sourceRect of an image into destRect with CopyMode and the colour
  // rules: this canvas's font colour and brush colour are the text and
  // background colours that black and white pixels take.
  void CopyImage(const TRect& destRect, const TPixelImage& image, const TRect& sourceRect, TColor sourceBackground);
  // Copies a whole image unscaled with its top-left at (x, y) where the
  // mask (laid over the image) is black, keeping this canvas where it is
  // white; the colour rules are those of CopyImage.
  void MaskCopy(int x, int y, const TPixelImage& image, const TPixelImage& mask, TColor sourceBackground);

  // Expires when this canvas is destroyed.
  std::weak_ptr<const void> LivenessToken() const { return FAlive; }

private:
  bool Inside(int x, int y) const;
  // Writes a colour into every covered pixel once, by the pen mode.
  void Cover(const TCoverage& coverage, TColor color, TPenMode mode);
  void FillArea(const TRect& rect, TColor color);
  void Figure(const TCoverage& interior, const TCoverage& outline);
  int OutlineWidth() const;

  TCanvasSurface& FSurface;
  std::shared_ptr<const int> FAlive;
};
