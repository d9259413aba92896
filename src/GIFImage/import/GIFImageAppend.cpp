// Appending frames to a document: a graphic imported into a new frame, or a
// frame handed over whole.
#include "GIFImage.h"

int TGIFImage::AppendFrame(TGraphic& source) {
  // The frame is ours before it is in Frames: a failed import frees it.
  auto frame = std::make_unique<TGIFSubImage>(this);
  frame->LoadFromGraphic(source);
  return AddFrame(std::move(frame));
}

int TGIFImage::AppendFrame(std::unique_ptr<TGIFSubImage> frame) {
  if (!frame) throw GIFException(sUnsupportedClass);
  if (frame->Image() != this) {
    auto own = std::make_unique<TGIFSubImage>(this);
    own->Assign(*frame);
    frame = std::move(own);
  }
  return AddFrame(std::move(frame));
}

int TGIFImage::AppendFrame(std::unique_ptr<TPersistent> source) {
  if (auto* frame = dynamic_cast<TGIFSubImage*>(source.get())) {
    std::unique_ptr<TGIFSubImage> owned(frame);
    static_cast<void>(source.release());
    return AppendFrame(std::move(owned));
  }
  throw GIFException(sUnsupportedClass);
}

int TGIFImage::AddFrame(std::unique_ptr<TGIFSubImage> frame) {
  FFrames.Add(std::move(frame));
  DropViewBitmap();
  Changed();
  return FFrames.Count() - 1;
}
