#include "GifWarnings.h"

namespace {

bool BelongsToNoFrame(TPersistent* sender) {
  return dynamic_cast<TGIFImageList*>(sender) != nullptr || dynamic_cast<TGIFHeader*>(sender) != nullptr ||
         dynamic_cast<TGIFGlobalColorMap*>(sender) != nullptr || dynamic_cast<TGIFTrailer*>(sender) != nullptr;
}

// The frame a warning belongs to, from 0: a frame already in the list, or
// else the one being read, which joins the list once read.
int FrameOf(const TGIFImage& gif, TPersistent* sender) {
  for (int i = 0; i < gif.Frames().Count(); ++i)
    if (&gif.Frames()[i] == sender) return i;
  return gif.Frames().Count();
}

}  // namespace

TGifWarnings::TGifWarnings(TGIFImage& gif) : FGif(gif), FOuterHandler(gif.WarningHandler()) {
  gif.SetWarningHandler([this](TPersistent* sender, std::uint8_t, const std::string& message) {
    Collect(sender, message);
  });
}

TGifWarnings::~TGifWarnings() { FGif.SetWarningHandler(std::move(FOuterHandler)); }

void TGifWarnings::Collect(TPersistent* sender, const std::string& message) {
  if (BelongsToNoFrame(sender))
    FTexts.push_back(message);
  else
    FTexts.push_back("frame " + std::to_string(FrameOf(FGif, sender) + 1) + ": " + message);
}
