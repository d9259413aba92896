#include "FontRenderer.h"

// First cut of the interface: FreeType rendering is filled in next.
TTextRun RenderText(const TFontSpec&, const std::string&, TPoint, const TRect& clip) {
  TTextRun run;
  run.Ink = TCoverage(clip);
  return run;
}
TPoint TextExtent(const TFontSpec&, const std::string&) { return TPoint{}; }
