#include "BmpReader.h"
#include "DumpFormats.h"

TDumpedPicture DumpBmp(TStream& stream) {
  const TBmpImage bmp = ReadBmp(stream);
  const TDib& image = bmp.Image;
  TDumpedPicture picture{image.Width(), image.Height(), {}};
  picture.Pixels.reserve(static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height()));
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) picture.Pixels.push_back(image.GetPixel(x, y));
  return picture;
}
