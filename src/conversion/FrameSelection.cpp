#include "FrameSelection.h"

#include <algorithm>

#include "PlatformMessages.h"

EShortGif::EShortGif(int frameCount, int missing)
    : Exception(FormatMessage(SListIndexError, missing)), FFrameCount(frameCount) {}

std::array<int, 4> ChooseFrames(int frameCount, const StripOptions& options) {
  std::array<int, 4> frames{};
  if (options.Frames == FrameChoice::List) {
    for (int k = 0; k < 4; ++k) {
      const int number = options.FrameList[static_cast<std::size_t>(k)];
      if (number < 0 || number >= frameCount) throw Exception(FormatMessage(SListIndexError, number));
      frames[static_cast<std::size_t>(k)] = number;
    }
    return frames;
  }
  if (frameCount < 4) {
    if (options.ShortGif == ShortGifRule::Refuse || frameCount == 0)
      throw EShortGif(frameCount, frameCount);
    for (int k = 0; k < 4; ++k) frames[static_cast<std::size_t>(k)] = k % frameCount;
    return frames;
  }
  for (int k = 0; k < 4; ++k)
    frames[static_cast<std::size_t>(k)] = options.Frames == FrameChoice::Spread ? (2 * k * frameCount + 4) / 8 : k;
  return frames;
}

std::string FramesUsedNote(const std::array<int, 4>& frames, int frameCount) {
  const bool consecutive = frames[1] == frames[0] + 1 && frames[2] == frames[1] + 1 && frames[3] == frames[2] + 1;
  if (consecutive && frames[0] == 0 && frameCount == 4) return {};
  const std::string of = " of " + std::to_string(frameCount);
  if (consecutive) return "frames " + std::to_string(frames[0] + 1) + " to " + std::to_string(frames[3] + 1) + of;
  return "frames " + std::to_string(frames[0] + 1) + ", " + std::to_string(frames[1] + 1) + ", " +
         std::to_string(frames[2] + 1) + " and " + std::to_string(frames[3] + 1) + of;
}

int FramesDecodedForStrip(const StripOptions& options) {
  switch (options.Frames) {
    case FrameChoice::FirstFour: return 4;
    case FrameChoice::List: return *std::max_element(options.FrameList.begin(), options.FrameList.end()) + 1;
    case FrameChoice::Spread: break;
  }
  return 0;
}
