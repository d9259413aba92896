// The operations whose code comes with the frame renderer, the animation
// painter and the GIF writer. Until then they refuse with a clear message.
#include "GIFImage.h"

void TGIFImage::Draw(TCanvas&, const TRect&) { throw GIFException(sDrawNotAvailable); }

void TGIFImage::SaveToStream(TStream&) { throw GIFException(sSaveNotAvailable); }

void TGIFSubImage::SaveToStream(TStream&) { throw GIFException(sSaveNotAvailable); }

void TGIFSubImage::RenderBitmap() { throw GIFException(sRenderNotAvailable); }
