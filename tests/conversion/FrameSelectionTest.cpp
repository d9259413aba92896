// Which frames fill the four bands: first four, spread, a list, and the
// short-GIF rule; and the note that tells the user which frames were used.
#include <gtest/gtest.h>

#include "ConversionTesting.h"
#include "FrameSelection.h"

namespace {

struct TChoiceCase {
  int FrameCount;
  std::vector<std::string> Options;
  std::array<int, 4> Frames;  // when Error is empty
  std::string Error;
  std::string Note;
};

TEST(FrameSelection, EachChoiceGivesItsFramesOrTheFirstMissingOne) {
  const TChoiceCase cases[] = {
      {4, {}, {0, 1, 2, 3}, "", ""},
      {15, {}, {0, 1, 2, 3}, "", "frames 1 to 4 of 15"},
      {15, {"frames=spread"}, {0, 4, 8, 11}, "", "frames 1, 5, 9 and 12 of 15"},
      {100, {"frames=spread"}, {0, 25, 50, 75}, "", "frames 1, 26, 51 and 76 of 100"},
      {4, {"frames=spread"}, {0, 1, 2, 3}, "", ""},
      {6, {"frames=spread"}, {0, 2, 3, 5}, "", "frames 1, 3, 4 and 6 of 6"},
      {10, {"frames=9,0,9,3"}, {9, 0, 9, 3}, "", "frames 10, 1, 10 and 4 of 10"},
      {10, {"frames=2,3,4,5"}, {2, 3, 4, 5}, "", "frames 3 to 6 of 10"},
      {10, {"frames=0,1,2,10"}, {}, "List index out of bounds (10)", ""},
      {3, {"frames=0,1,2,2"}, {0, 1, 2, 2}, "", "frames 1, 2, 3 and 3 of 3"},
      {1, {}, {}, "List index out of bounds (1)", ""},
      {3, {}, {}, "List index out of bounds (3)", ""},
      {2, {"frames=spread"}, {}, "List index out of bounds (2)", ""},
      {0, {"short=repeat"}, {}, "List index out of bounds (0)", ""},
      {1, {"short=repeat"}, {0, 0, 0, 0}, "", "frames 1, 1, 1 and 1 of 1"},
      {2, {"short=repeat"}, {0, 1, 0, 1}, "", "frames 1, 2, 1 and 2 of 2"},
      {3, {"short=repeat", "frames=spread"}, {0, 1, 2, 0}, "", "frames 1, 2, 3 and 1 of 3"},
      {5, {"short=repeat"}, {0, 1, 2, 3}, "", "frames 1 to 4 of 5"},
  };
  for (const TChoiceCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.FrameCount) + " frames, " + (c.Options.empty() ? "defaults" : c.Options[0]));
    const StripOptions options = OptionsOf(c.Options);
    if (!c.Error.empty()) {
      try {
        ChooseFrames(c.FrameCount, options);
        ADD_FAILURE() << "no failure";
      } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), c.Error);
      }
      continue;
    }
    const std::array<int, 4> frames = ChooseFrames(c.FrameCount, options);
    EXPECT_EQ(frames, c.Frames);
    EXPECT_EQ(FramesUsedNote(frames, c.FrameCount), c.Note);
  }
}

TEST(FrameSelection, AShortGifRefusedSaysHowManyFramesItHas) {
  try {
    ChooseFrames(2, StripOptions{});
    ADD_FAILURE() << "no failure";
  } catch (const EShortGif& error) {
    EXPECT_EQ(error.FrameCount(), 2);
  }
}

}  // namespace
