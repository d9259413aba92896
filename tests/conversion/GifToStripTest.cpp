// The use case as the window and korvane-cli call it: the strip's size,
// frames and notes for the user; a GIF read decoding only the frames the
// choice needs at once gives the same strip as one decoded whole.
#include <gtest/gtest.h>

#include "BmxStrip.h"
#include "ConversionTesting.h"
#include "GifToStrip.h"

namespace {

struct TUseCase {
  std::string Gif;
  std::vector<std::string> Options;
  int Width, Height;  // of the strip
  std::vector<std::string> Notes;
};

TEST(GifToStrip, StripsHaveTheirSizeAndTellWhatTheUserShouldKnow) {
  const std::string spread = "frames 1, 2, 4 and 5 of 5";
  const TUseCase cases[] = {
      {"ball-optimised.gif", {}, 101, 256, {"frames 1 to 4 of 5"}},
      {"ball-optimised.gif", {"frames=spread"}, 101, 256, {spread}},
      {"ball-optimised.gif", {"frames=spread", "size=ems16", "mono=floyd"}, 16, 64, {spread}},
      {"ball-optimised.gif", {"size=logo", "fit=fill"}, 101, 184, {"frames 1 to 4 of 5"}},
      {"phone-101x64.gif", {"size=101x64"}, 101, 256, {}},
      {"phone-101x64.gif", {"size=202x128", "mono=ordered8", "invert=on"}, 202, 512, {}},
      {"colour-72x32.gif", {"mono=threshold=0"}, 72, 128,
       {"the strip is all white"}},
      {"colour-72x32.gif", {"mono=threshold=0", "invert=on"}, 72, 128,
       {"the strip is all black"}},
      {"ems-16x16-6frames.gif", {"frames=4,5,4,5"}, 16, 64, {"frames 5, 6, 5 and 6 of 6"}},
  };
  for (const TUseCase& c : cases) {
    SCOPED_TRACE(c.Gif + (c.Options.empty() ? "" : " " + c.Options[0]));
    const StripOptions options = OptionsOf(c.Options);
    const StripConversion conversion = GifToStrip(*LoadStripDataGif(c.Gif), options);
    EXPECT_TRUE(conversion.Strip->Monochrome());
    EXPECT_EQ(conversion.Strip->Width(), c.Width);
    EXPECT_EQ(conversion.Strip->Height(), c.Height);
    EXPECT_EQ(conversion.Notes, c.Notes);

    // Deferred decoding: only what the choice names decodes while reading.
    TGIFImage deferred;
    deferred.SetFramesDecodedOnLoad(FramesDecodedForStrip(options));
    deferred.LoadFile(StripDataFile(c.Gif));
    EXPECT_EQ(BmpBytesOf(*GifToStrip(deferred, options).Strip), BmpBytesOf(*conversion.Strip));
  }
}

// A short GIF: refused by default, its frames repeated on request, and the
// slots' pictures are the bands of the strip (as stored, the frames' own).
TEST(GifToStrip, ShortGifsRepeatOnRequestAndBandsFeedTheSlots) {
  TGIFImage two;
  two.LoadFile(StripDataFile("phone-101x64.gif"));
  while (two.Frames().Count() > 2) two.Frames().Delete(two.Frames().Count() - 1);
  try {
    GifToStrip(two, StripOptions{});
    ADD_FAILURE() << "no failure";
  } catch (const EShortGif& error) {
    EXPECT_EQ(error.Message(), "List index out of bounds (2)");
  }
  const StripConversion repeated = GifToStrip(two, OptionsOf({"short=repeat"}));
  EXPECT_EQ(repeated.FramesUsed, (std::array<int, 4>{0, 1, 0, 1}));
  const StripConversion full = GifToStrip(*LoadStripDataGif("phone-101x64.gif"), StripOptions{});
  for (int k = 0; k < 4; ++k) {
    TBitmap expected = CutStripFrame(*full.Strip, k % 2, 64);
    TBitmap band = *repeated.Band(k);
    EXPECT_EQ(BmpBytesOf(band), BmpBytesOf(expected)) << "band " << k;
  }
  const StripConversion stored = GifToStrip(two, OptionsOf({"short=repeat", "as-stored=on"}));
  EXPECT_FALSE(stored.Band(2)->Monochrome());
  EXPECT_EQ(stored.Band(2)->Width(), 101);
}

}  // namespace
