#include "GifToStrip.h"

#include "BmxStrip.h"
#include "StripComposition.h"

namespace {

// "the strip is all black" or "... all white" when it is one colour throughout.
std::string OneColourNote(const TBitmap& strip) {
  const TPixelImage& image = strip.Image();
  if (image.Empty()) return {};
  const int fullBytes = image.Width() / 8;
  const int rest = image.Width() % 8;
  const std::uint8_t restMask = static_cast<std::uint8_t>(0xFF00 >> rest);
  bool anyWhite = false, anyBlack = false;
  for (int y = 0; y < image.Height() && !(anyWhite && anyBlack); ++y) {
    const std::uint8_t* row = image.ScanLine(y);
    for (int i = 0; i < fullBytes; ++i) {
      anyWhite = anyWhite || row[i] != 0;
      anyBlack = anyBlack || row[i] != 0xFF;
    }
    if (rest != 0) {
      anyWhite = anyWhite || (row[fullBytes] & restMask) != 0;
      anyBlack = anyBlack || (row[fullBytes] & restMask) != restMask;
    }
  }
  if (!anyWhite) return "the strip is all black";
  if (!anyBlack) return "the strip is all white";
  return {};
}

}  // namespace

std::unique_ptr<TBitmap> StripConversion::Band(int k) const {
  if (!FStoredBands.empty()) {
    const auto& stored = FStoredBands[static_cast<std::size_t>(k)];
    return stored ? std::make_unique<TBitmap>(*stored) : nullptr;
  }
  return std::make_unique<TBitmap>(CutStripFrame(*Strip, k, Strip->Height() / StripFrameCount));
}

StripConversion GifToStrip(TGIFImage& gif, const StripOptions& options) {
  StripConversion conversion;
  conversion.FrameCount = gif.Frames().Count();
  conversion.FramesUsed = ChooseFrames(conversion.FrameCount, options);
  if (options.AsStored)
    for (const int number : conversion.FramesUsed) {
      const TBitmap* bitmap = gif.Frames()[number].Bitmap();
      conversion.FStoredBands.push_back(bitmap ? std::make_unique<TBitmap>(*bitmap) : nullptr);
    }
  conversion.Strip = MakeStrip(gif, conversion.FramesUsed, options);
  const std::string oneColour = OneColourNote(*conversion.Strip);
  conversion.OneColour = !oneColour.empty();
  for (std::string note : {FramesUsedNote(conversion.FramesUsed, conversion.FrameCount), oneColour})
    if (!note.empty()) conversion.Notes.push_back(std::move(note));
  return conversion;
}
