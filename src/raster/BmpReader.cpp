#include "BmpReader.h"

#include "Exception.h"
#include "RasterMessages.h"

TBmpImage ReadBmp(TStream& stream) {
  if (stream.Remaining() <= 0) return {};
  throw Exception(SInvalidBitmap);
}
