// The strip composed row by row as decoding left each frame: where the data
// stopped short, the rest of a frame is drawn as a run of its fill value and
// never written out in the frame, and the strip is the one the frames give
// with every pixel written.
#include <gtest/gtest.h>

#include <filesystem>

#include "ConversionTesting.h"
#include "GifReadHelpers.h"
#include "GifToStrip.h"
#include "TestFiles.h"

namespace {

struct TPartialFrame {
  int Left, Top, Width, Height;
  int Given;        // indices the data holds, counting 0 1 2 3 0...
  bool Interlaced;
  int Transparent;  // -1 for none
  int Disposal;
};

// A 4-colour GIF (black, white, black, white) of the frames, each with only
// its given indices in its data.
TBytes PartialGif(int width, int height, const std::vector<TPartialFrame>& frames) {
  TGifBuilder gif;
  gif.Header(static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0x81)
      .ColorTable({0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF});
  for (const TPartialFrame& f : frames) {
    const bool transparent = f.Transparent >= 0;
    gif.GraphicControl(static_cast<std::uint8_t>((f.Disposal << 2) | (transparent ? 1 : 0)), 0,
                       static_cast<std::uint8_t>(transparent ? f.Transparent : 0));
    gif.Descriptor(static_cast<std::uint16_t>(f.Left), static_cast<std::uint16_t>(f.Top),
                   static_cast<std::uint16_t>(f.Width), static_cast<std::uint16_t>(f.Height), f.Interlaced ? 0x40 : 0);
    gif.ImageData(2, LzwEncode(Ramp(f.Given, 1, 4), 2));
  }
  return gif.Trailer().Bytes();
}

// The strip of a document read decoding only what the choice needs, and the
// same from a document whose frames had every pixel written before.
void ExpectSameStripAsFromWrittenFrames(const TBytes& bytes, const StripOptions& options) {
  TReadOutcome deferred = ReadGif(bytes, false, 0, false, FramesDecodedForStrip(options));
  TReadOutcome written = ReadGif(bytes, false, 0, false);
  ASSERT_EQ(deferred.Error, "");
  ASSERT_EQ(written.Error, "");
  for (int i = 0; i < written.Image->Frames().Count(); ++i)
    if (!written.Image->Frames()[i].Empty()) written.Image->Frames()[i].Pixels();
  const StripConversion rowByRow = GifToStrip(*deferred.Image, options);
  EXPECT_EQ(BmpBytesOf(*rowByRow.Strip), BmpBytesOf(*GifToStrip(*written.Image, options).Strip));
}

// Whether some frame of the strip still has a last row the data did not
// reach in full: then its pixels were never all written out.
bool LeavesUnreachedPixelsUnwritten(TGIFImage& gif, const StripConversion& conversion) {
  for (const int number : conversion.FramesUsed) {
    const TGIFSubImage& frame = gif.Frames()[number];
    if (!frame.Empty() && frame.DecodedRow(frame.Height() - 1).Reached < frame.Width()) return true;
  }
  return false;
}

TEST(RowByRowComposition, PartlyDecodedFramesGiveTheStripOfTheirWrittenPixels) {
  const std::vector<std::vector<TPartialFrame>> cases = {
      // Plain frames stopping mid-row: the rest is index 0, black.
      {{0, 0, 21, 5, 30, false, -1, 0}, {0, 0, 21, 5, 0, false, -1, 0}, {0, 0, 21, 5, 104, false, -1, 0},
       {0, 0, 21, 5, 9, false, -1, 0}},
      // Transparent index 1 over a white screen and over earlier frames.
      {{0, 0, 21, 5, 17, false, 1, 0}, {0, 0, 21, 5, 40, false, 1, 1}, {0, 0, 21, 5, 3, false, 1, 2},
       {0, 0, 21, 5, 0, false, 1, 0}},
      // Transparent index 0, which is also what fills the rest.
      {{0, 0, 21, 5, 25, false, -1, 0}, {0, 0, 21, 5, 12, false, 0, 0}, {0, 0, 21, 5, 50, false, 0, 3},
       {0, 0, 21, 5, 1, false, 0, 0}},
      // Interlaced frames, reaching part of their first passes.
      {{0, 0, 21, 9, 50, true, -1, 0}, {0, 0, 21, 9, 23, true, 2, 1}, {0, 0, 21, 9, 0, true, 1, 0},
       {0, 0, 21, 9, 70, true, 3, 0}},
      // Small frames at odd offsets, the runs starting and ending inside bytes.
      {{3, 1, 13, 3, 20, false, -1, 0}, {5, 2, 11, 4, 6, false, 1, 2}, {9, 0, 12, 6, 30, true, -1, 3},
       {1, 4, 19, 2, 25, false, 2, 1}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    const TBytes bytes = PartialGif(21, 9, cases[i]);
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{}, {"invert=on"}, {"mono=threshold=50"}, {"as-stored=on"}, {"mono=floyd"}}) {
      SCOPED_TRACE(words.empty() ? std::string("defaults") : words[0]);
      ExpectSameStripAsFromWrittenFrames(bytes, OptionsOf(words));
    }
    TReadOutcome read = ReadGif(bytes, false, 0, false);
    const StripConversion conversion = GifToStrip(*read.Image, StripOptions{});
    EXPECT_TRUE(LeavesUnreachedPixelsUnwritten(*read.Image, conversion));
  }
}

// The small hostile GIFs that declare four 8192 x 8192 frames on a 1 x 1
// screen and hold almost no data.
TEST(RowByRowComposition, HugeDeclaredFramesGiveTheirStripWithoutWritingTheirPixels) {
  const std::filesystem::path folder = std::filesystem::path(KORVANE_TEST_DATA_DIR) / "gif";
  for (const char* name : {"fuzz-interlaced-4x8192sq.gif", "fuzz-transparent1-4x8192sq.gif", "fuzz-plain-4x8192sq.gif"}) {
    SCOPED_TRACE(name);
    const TBytes bytes = ReadWholeFile((folder / name).string());
    ExpectSameStripAsFromWrittenFrames(bytes, StripOptions{});
    TReadOutcome read = ReadGif(bytes, false, 0, false, FramesDecodedForStrip(StripOptions{}));
    const StripConversion conversion = GifToStrip(*read.Image, StripOptions{});
    EXPECT_EQ(conversion.Strip->Width(), 1);
    EXPECT_EQ(conversion.Strip->Height(), 4);
    EXPECT_TRUE(LeavesUnreachedPixelsUnwritten(*read.Image, conversion));
  }
}

}  // namespace
