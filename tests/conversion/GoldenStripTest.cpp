// Strips against the bytes the program has always written for them: the
// default choices keep the plain strip of GIFs whose frames fill the screen
// (black and white, or in colour with exact white), and "as stored" keeps
// the old placement of an optimised GIF's small frames.
#include <gtest/gtest.h>

#include "ConversionTesting.h"
#include "GifToStrip.h"
#include "TestFiles.h"

namespace {

struct TGoldenCase {
  std::string Gif;
  std::vector<std::string> Options;
  std::string Golden;
};

TEST(GoldenStrip, ChoicesThatKeepTheOldStripGiveItsBytes) {
  const TGoldenCase cases[] = {
      {"phone-101x64.gif", {}, "phone-101x64.bmx"},
      {"ems-16x16-6frames.gif", {}, "ems-16x16-6frames.bmx"},
      {"colour-72x32.gif", {}, "colour-72x32.bmx"},
      {"ball-optimised.gif", {"as-stored=on"}, "ball-optimised.as-stored.bmx"},
  };
  for (const TGoldenCase& c : cases) {
    SCOPED_TRACE(c.Gif);
    StripConversion conversion = GifToStrip(*LoadStripDataGif(c.Gif), OptionsOf(c.Options));
    EXPECT_EQ(BmpBytesOf(*conversion.Strip), ReadWholeFile(StripDataFile(c.Golden)));
  }
}

}  // namespace
