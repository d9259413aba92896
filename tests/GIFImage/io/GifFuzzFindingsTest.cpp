// Small files found by fuzzing that declare huge frames and hold little data.
// Each reads to the same document whether its frames are decoded at once or
// on first use, and each frame holds what its data gave and the fill value
// everywhere else, row by row as decoded and in the copy of the document.
#include <gtest/gtest.h>

#include "GifReadHelpers.h"
#include "GifWriteHelpers.h"

namespace {

// What a frame holds, told without writing the pixels its data did not reach.
struct TFrameSummary {
  int Width = 0;
  int Height = 0;
  bool Interlaced = false;
  std::int64_t Reached = 0;  // pixels the data gave
  std::uint64_t Sum = 0;     // of the indices the data gave, each weighted by its place
  int Fill = -1;             // of the others; -1 when the data reached them all

  friend bool operator==(const TFrameSummary&, const TFrameSummary&) = default;
};

std::ostream& operator<<(std::ostream& out, const TFrameSummary& s) {
  return out << s.Width << "x" << s.Height << (s.Interlaced ? " interlaced" : "") << " reached " << s.Reached << " sum "
             << s.Sum << " fill " << s.Fill;
}

TFrameSummary Summary(const TGIFSubImage& frame) {
  TFrameSummary summary{frame.Width(), frame.Height(), frame.Interlaced()};
  for (int y = 0; y < frame.Height(); ++y) {
    const TGIFSubImage::TDecodedRow row = frame.DecodedRow(y);
    summary.Reached += row.Reached;
    for (int x = 0; x < row.Reached; ++x)
      summary.Sum += row.Indices[x] * static_cast<std::uint64_t>(std::int64_t{y} * frame.Width() + x + 1);
    if (row.Reached < frame.Width()) summary.Fill = row.Fill;
  }
  return summary;
}

std::vector<TFrameSummary> Summaries(const TGIFImage& image) {
  std::vector<TFrameSummary> summaries;
  for (int i = 0; i < image.Frames().Count(); ++i) summaries.push_back(Summary(image.Frames()[i]));
  return summaries;
}

TEST(GifFuzzFindings, EachReadsTheSameWhicheverWayItsFramesAreDecoded) {
  struct TCase {
    const char* File;
    std::string Error;
    std::vector<std::string> Warnings;
    std::vector<TFrameSummary> Frames;
  };
  const std::string underRun = sDecodeTooFewBits;
  const std::vector<std::string> fourUnderRuns(4, underRun);
  // A frame of 8192 x 8192 that its data did not reach.
  const auto empty = [](bool interlaced, int fill) { return TFrameSummary{8192, 8192, interlaced, 0, 0, fill}; };
  const TCase cases[] = {
      {"fuzz-interlaced-4x8192sq.gif", "", fourUnderRuns, std::vector(4, empty(true, 0))},
      {"fuzz-transparent1-4x8192sq.gif", "", fourUnderRuns, std::vector(4, empty(false, 1))},
      {"fuzz-plain-4x8192sq.gif", "", fourUnderRuns, std::vector(4, empty(false, 0))},
      {"fuzz-interlaced-8192sq.gif", "", {underRun}, {empty(true, 0)}},
      {"fuzz-3x64M-plain.gif", "", {}, {{8192, 8192, false, 1, 1, 0}, {8192, 8192, false, 1, 1, 0}, empty(false, 0)}},
      {"fuzz-interlaced-60M.gif",
       "",
       {sBadExtensionLabel, sBadBlockType, sBadTrailer},
       {{1, 1, false, 1, 0, -1}, {1, 1, false, 1, 0, -1}, {3071, 19800, true, 0, 0, 0}}},
      {"fuzz-interlaced-25M-rt.gif",
       "",
       {sBadExtensionLabel, underRun, sBadBlockType, sBadTrailer},
       {{37861, 659, true, 0, 0, 0}, {12, 265, true, 38, 1020, 0}}},
  };
  for (const TCase& c : cases) {
    const TBytes bytes = GifDataFile(c.File);
    const TReadOutcome eager = ReadGif(bytes, false, 0, false);
    const TReadOutcome deferred = ReadGif(bytes, false, 0, false, 0);
    EXPECT_EQ(eager.Error, c.Error) << c.File;
    EXPECT_EQ(eager.Warnings, c.Warnings) << c.File;
    EXPECT_EQ(Summaries(*eager.Image), c.Frames) << c.File;
    EXPECT_EQ(deferred.Error, eager.Error) << c.File;
    EXPECT_EQ(deferred.Warnings, eager.Warnings) << c.File;
    EXPECT_EQ(deferred.Position, eager.Position) << c.File;
    EXPECT_EQ(Summaries(*deferred.Image), c.Frames) << c.File;
    EXPECT_EQ(Summaries(dynamic_cast<const TGIFImage&>(*eager.Image->Clone())), c.Frames) << c.File;
  }
}

}  // namespace
