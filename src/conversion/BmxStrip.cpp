#include "BmxStrip.h"

#include "PixelConversion.h"

int FrameHeightOf(int stripHeight) {
  const int quotient = stripHeight / 4;
  const int remainder = stripHeight % 4;
  if (remainder < 2) return quotient;
  if (remainder > 2) return quotient + 1;
  return quotient % 2 == 0 ? quotient : quotient + 1;
}

// The band's rows are copied as stored: the frame is a device bitmap that
// takes the display's format only when something needs its pixels that way,
// so a 1-bit strip costs 1 bit per pixel in its slots too. Rows the strip
// does not have are black.
TBitmap CutStripFrame(const TBitmap& strip, int k, int frameHeight) {
  TBitmap bitmap;
  bitmap.SetImage(CutRows(strip.Image(), k * frameHeight, frameHeight, clBlack), true);
  return bitmap;
}
