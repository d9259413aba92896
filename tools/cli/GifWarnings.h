// The GIF reader's warnings of one document, each with the frame it belongs
// to, counted from 1 as the window's Info counts frames: "frame 4: ...".
// Warnings of the logical screen, the global colour table, the block
// sequence or the trailer belong to no frame and stay as they are.
#pragma once

#include <string>
#include <vector>

#include "GIFImage.h"

class TGifWarnings {
public:
  // Collects the document's warnings until destroyed, when the handler it
  // had comes back.
  explicit TGifWarnings(TGIFImage& gif);
  ~TGifWarnings();
  TGifWarnings(const TGifWarnings&) = delete;
  TGifWarnings& operator=(const TGifWarnings&) = delete;

  const std::vector<std::string>& Texts() const { return FTexts; }

private:
  void Collect(TPersistent* sender, const std::string& message);

  TGIFImage& FGif;
  TGIFWarningHandler FOuterHandler;
  std::vector<std::string> FTexts;
};
