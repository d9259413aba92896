// Monochrome text: glyphs rendered by FreeType without antialiasing, from the
// font that fontconfig picks for a font name and style. Owns the font library
// and caches faces per name and style and glyphs per size; it draws nothing,
// it gives the covered pixels and the text cell.
//
// Sizes are in points at the given pixels per inch (8 points at 96 dpi is
// 10.67 pixels). Kerning of the face is applied. Text is UTF-8; bytes that are
// not valid UTF-8 stand for U+FFFD. Underline and strike-out are lines across
// the cell at the face's own positions.
#pragma once

#include <string>

#include "Coverage.h"
#include "Geometry.h"

struct TFontSpec {
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  int PixelsPerInch = 96;
};

struct TTextRun {
  int Width = 0;   // the cell's advance width, kerning included
  int Height = 0;  // the line height: ascent + descent
  TCoverage Ink;   // the glyph pixels, the cell's top-left at the origin given
};

// Raised when not even a fallback font can be found.
inline constexpr const char* SFontNotFound = "Cannot find a font for %s";

TTextRun RenderText(const TFontSpec& font, const std::string& utf8Text, TPoint topLeft, const TRect& clip);
// The text cell's {width, height}.
TPoint TextExtent(const TFontSpec& font, const std::string& utf8Text);
