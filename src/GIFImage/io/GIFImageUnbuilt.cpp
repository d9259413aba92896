// The operations whose code comes with the GIF writer. Until then they refuse
// with a clear message.
#include "GIFImage.h"

void TGIFImage::SaveToStream(TStream&) { throw GIFException(sSaveNotAvailable); }

void TGIFSubImage::SaveToStream(TStream&) { throw GIFException(sSaveNotAvailable); }
