// The LZW decoder on hand-packed code streams: table growth and freezing,
// strings not yet in the table, early ends, damaged data, corrupt tables, and
// where the stream stands afterwards.
#include <gtest/gtest.h>

#include <random>

#include "GifReadHelpers.h"

namespace {

// A one-frame file around the given image data; a sentinel comment follows
// the frame so that a misplaced stream shows.
TBytes FrameFile(std::uint16_t width, std::uint16_t height, std::uint8_t codeSize, const TBytes& data,
                 std::uint8_t flags = 0, std::size_t blockSize = 255) {
  return TGifBuilder()
      .Header(width, height, 0x87)
      .ColorTable(Greys(256))
      .Descriptor(0, 0, width, height, flags)
      .ImageData(codeSize, data, blockSize)
      .Comment({"next"})
      .Trailer()
      .Bytes();
}

// One frame whose graphic control extension marks the given index transparent:
// the pixels the data does not reach take that index.
TBytes TransparentFrameFile(std::uint16_t width, std::uint16_t height, std::uint8_t transparentIndex,
                            const TBytes& data) {
  return TGifBuilder()
      .Header(width, height, 0x87)
      .ColorTable(Greys(256))
      .GraphicControl(0x01, 0, transparentIndex)
      .Descriptor(0, 0, width, height)
      .ImageData(3, data)
      .Bytes();
}

TBytes PixelsOf(const TReadOutcome& outcome, int frame = 0) {
  const TGIFSubImage& f = outcome.Image->Frames()[frame];
  return f.Pixels() == nullptr ? TBytes{} : TBytes(f.Pixels(), f.Pixels() + f.PixelCount());
}

// The frame was read and the sentinel comment after it as well.
void ExpectStreamRightAfterTheData(const TReadOutcome& outcome) {
  ASSERT_EQ(outcome.Image->Frames().Count(), 2);
  const auto* sentinel = dynamic_cast<const TGIFCommentExtension*>(&outcome.Image->Frames()[1].ExtList()[0]);
  ASSERT_NE(sentinel, nullptr);
  EXPECT_EQ(sentinel->Lines(), TGIFLines{"next"});
}

TBytes RandomIndices(std::size_t count, int colors, unsigned seed) {
  std::mt19937 random(seed);
  TBytes indices(count);
  for (auto& index : indices) index = static_cast<std::uint8_t>(random() % colors);
  return indices;
}

TEST(LzwDecoder, SinglePixelFrame) {
  const TBytes data = TCodePacker().Add(4, 3).Add(1, 3).Add(5, 3).Bytes();
  const TReadOutcome outcome = ReadGifBothWays(FrameFile(1, 1, 2, data));
  EXPECT_EQ(PixelsOf(outcome), TBytes{1});
  EXPECT_TRUE(outcome.Warnings.empty());
  ExpectStreamRightAfterTheData(outcome);
}

TEST(LzwDecoder, CodeNotYetInTheTableRepeatsThePreviousStringsFirstIndex) {
  // clear, 1, 6 (the entry being made: "1" + "1"), 6 again ("1 1"), end
  const TBytes data = TCodePacker().Add(4, 3).Add(1, 3).Add(6, 3).Add(6, 3).Add(5, 4).Bytes();
  const TReadOutcome outcome = ReadGifBothWays(FrameFile(5, 1, 2, data));
  EXPECT_EQ(PixelsOf(outcome), (TBytes{1, 1, 1, 1, 1}));
  EXPECT_TRUE(outcome.Warnings.empty());
  ExpectStreamRightAfterTheData(outcome);
}

TEST(LzwDecoder, RoundTripsAtEveryCodeSizeAndSubBlockSize) {
  for (int codeSize = 2; codeSize <= 8; ++codeSize) {
    const TBytes indices = RandomIndices(997, 1 << codeSize, static_cast<unsigned>(codeSize));
    for (std::size_t blockSize : {1, 2, 3, 7, 254, 255}) {
      const TReadOutcome outcome = ReadGif(FrameFile(997, 1, static_cast<std::uint8_t>(codeSize),
                                                     LzwEncode(indices, codeSize), 0, blockSize),
                                           false);
      EXPECT_EQ(PixelsOf(outcome), indices) << "code size " << codeSize << ", sub-blocks of " << blockSize;
      EXPECT_TRUE(outcome.Warnings.empty());
    }
  }
}

TEST(LzwDecoder, FramesOfEverySmallSizeRoundTripWhereverTheirLastStringEnds) {
  // Runs that grow and random pixels, so that long strings, repeated strings
  // and strings not yet in the table end at every distance from the last pixel.
  for (std::uint16_t width = 1; width <= 300; ++width) {
    TBytes indices = RandomIndices(width, 2, width);
    for (std::size_t i = 0; i < indices.size(); ++i)
      if ((i / (1 + width % 23)) % 3 == 0) indices[i] = 1;
    const TReadOutcome outcome = ReadGif(FrameFile(width, 1, 2, LzwEncode(indices, 2)), false);
    EXPECT_EQ(PixelsOf(outcome), indices) << "width " << width;
  }
}

TEST(LzwDecoder, FullTableWithoutClearStaysFrozenAtTwelveBits) {
  // Random bytes fill the table quickly; long runs afterwards use the frozen entries.
  TBytes indices = RandomIndices(40000, 256, 7);
  const TBytes runs(30000, 9);
  indices.insert(indices.end(), runs.begin(), runs.end());
  const TBytes data = LzwEncode(indices, 8, false);
  const TReadOutcome outcome = ReadGifBothWays(FrameFile(700, 100, 8, data));
  EXPECT_EQ(PixelsOf(outcome), indices);
  EXPECT_TRUE(outcome.Warnings.empty());
  ExpectStreamRightAfterTheData(outcome);
}

TEST(LzwDecoder, LongStringsAndClearsInFlatImages) {
  const TBytes flat(300 * 200, 3);
  TBytes stripes(300 * 200);
  for (std::size_t i = 0; i < stripes.size(); ++i) stripes[i] = static_cast<std::uint8_t>((i / 37) % 5);
  for (const TBytes& indices : {flat, stripes}) {
    const TReadOutcome outcome = ReadGif(FrameFile(300, 200, 4, LzwEncode(indices, 4)), false);
    EXPECT_EQ(PixelsOf(outcome), indices);
  }
}

TEST(LzwDecoder, InterlacedRowsComeInFourPasses) {
  // Each row of the data holds the number of the row it belongs to.
  const auto passOrder = [](int height) {
    std::vector<int> order;
    for (const auto& [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
      for (int y = first; y < height; y += step) order.push_back(y);
    return order;
  };
  for (int height = 1; height <= 19; ++height) {
    const int width = 3;
    TBytes stream;
    for (int row : passOrder(height)) stream.insert(stream.end(), width, static_cast<std::uint8_t>(row));
    const TReadOutcome outcome = ReadGif(FrameFile(width, static_cast<std::uint16_t>(height), 5,
                                                   LzwEncode(stream, 5), 0x40),
                                         false);
    TBytes expected;
    for (int y = 0; y < height; ++y) expected.insert(expected.end(), width, static_cast<std::uint8_t>(y));
    EXPECT_EQ(PixelsOf(outcome), expected) << "height " << height;
  }
  const TBytes five = {0, 4, 2, 1, 3};
  EXPECT_EQ(PixelsOf(ReadGifBothWays(FrameFile(1, 5, 3, LzwEncode(five, 3), 0x40))), (TBytes{0, 1, 2, 3, 4}));
}

// A frame's rows as the data gives them: in four passes when interlaced.
std::vector<int> RowsInDataOrder(int height, bool interlaced) {
  std::vector<int> order;
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  for (const auto& [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
    for (int y = first; y < height; y += step) order.push_back(y);
  return order;
}

// Pixels the data reaches count 1, 2, 3... (wrapping below the fill value);
// the others hold the fill value. Every road to them agrees: all pixels at
// once, decoded row by row without filling, a copy of the document, a copy of
// the frame, and reading with the frame's decoding put off.
TEST(LzwDecoder, DataThatEndsEarlyLeavesTheFillValueInEveryRowItDidNotReach) {
  struct TCase {
    int Width;
    int Height;
    bool Interlaced;
    int Reached;  // pixels, in the order the data gives them
    std::uint8_t Fill;
  };
  const TCase cases[] = {
      {5, 1, true, 3, 9},     {3, 2, true, 4, 0},    {4, 5, true, 7, 9},   {7, 8, true, 0, 9},
      {7, 9, true, 63, 9},    {6, 13, true, 20, 0},  {6, 13, true, 41, 9}, {2, 17, true, 33, 9},
      {9, 33, true, 100, 9},  {9, 33, true, 297, 9}, {1, 40, true, 39, 0}, {300, 64, true, 1234, 9},
      {5, 7, false, 12, 9},   {300, 64, false, 4567, 9}, {8, 8, false, 64, 9}, {4, 3, false, 5, 0},
  };
  for (const TCase& c : cases) {
    const std::string label = std::to_string(c.Width) + "x" + std::to_string(c.Height) +
                              (c.Interlaced ? " interlaced" : "") + " reached " + std::to_string(c.Reached);
    TBytes data(static_cast<std::size_t>(c.Reached));
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(1 + i % 8);
    TBytes expected(static_cast<std::size_t>(c.Width * c.Height), c.Fill);
    const std::vector<int> rows = RowsInDataOrder(c.Height, c.Interlaced);
    for (int i = 0; i < c.Reached; ++i)
      expected[static_cast<std::size_t>(rows[static_cast<std::size_t>(i / c.Width)] * c.Width + i % c.Width)] = data[static_cast<std::size_t>(i)];
    const TBytes file = TGifBuilder()
                            .Header(static_cast<std::uint16_t>(c.Width), static_cast<std::uint16_t>(c.Height), 0x87)
                            .ColorTable(Greys(256))
                            .GraphicControl(c.Fill != 0 ? 0x01 : 0x00, 0, c.Fill)
                            .Descriptor(0, 0, static_cast<std::uint16_t>(c.Width), static_cast<std::uint16_t>(c.Height),
                                        c.Interlaced ? 0x40 : 0x00)
                            .ImageData(4, LzwEncode(data, 4))
                            .Image(1, 1, {2})
                            .Trailer()
                            .Bytes();
    const TReadOutcome eager = ReadGif(file, false, 0, false);
    const TReadOutcome deferred = ReadGif(file, false, 0, false, 0);
    const auto documentCopy = eager.Image->Clone();
    TGIFSubImage frameCopy(nullptr);
    frameCopy.Assign(eager.Image->Frames()[0]);
    TBytes rowByRow;
    for (int y = 0; y < c.Height; ++y) {
      const TGIFSubImage::TDecodedRow row = deferred.Image->Frames()[0].DecodedRow(y);
      for (int x = 0; x < c.Width; ++x) rowByRow.push_back(x < row.Reached ? row.Indices[x] : row.Fill);
    }
    EXPECT_EQ(rowByRow, expected) << label;
    EXPECT_EQ(PixelsOf(eager), expected) << label;
    EXPECT_EQ(PixelsOf(deferred), expected) << label;
    const TGIFSubImage& copied = dynamic_cast<const TGIFImage&>(*documentCopy).Frames()[0];
    EXPECT_EQ(TBytes(copied.Pixels(), copied.Pixels() + copied.PixelCount()), expected) << label;
    EXPECT_EQ(TBytes(frameCopy.Pixels(), frameCopy.Pixels() + frameCopy.PixelCount()), expected) << label;
    EXPECT_EQ(PixelsOf(eager, 1), TBytes{2}) << label;
  }
}

TEST(LzwDecoder, EarlyEndLeavesTheFillValueSilently) {
  const TBytes half = {7, 7, 7, 7, 7};
  const TBytes plain = FrameFile(5, 2, 3, LzwEncode(half, 3));
  const TReadOutcome opaque = ReadGifBothWays(plain);
  EXPECT_EQ(PixelsOf(opaque), (TBytes{7, 7, 7, 7, 7, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(opaque.Warnings.empty());
  ExpectStreamRightAfterTheData(opaque);

  const TReadOutcome outcome = ReadGifBothWays(TransparentFrameFile(5, 2, 200, LzwEncode(half, 3)));
  EXPECT_EQ(PixelsOf(outcome), (TBytes{7, 7, 7, 7, 7, 200, 200, 200, 200, 200}));
  EXPECT_TRUE(outcome.Warnings.empty());
}

TEST(LzwDecoder, EarlyEndAfterLongStringsRestoresTheFillValue) {
  const TBytes indices(100, 6);
  TBytes expected(400, 9);
  std::fill_n(expected.begin(), 100, 6);
  EXPECT_EQ(PixelsOf(ReadGif(TransparentFrameFile(40, 10, 9, LzwEncode(indices, 3)), false)), expected);
}

TEST(LzwDecoder, SubBlockLongerThanTheFileWarnsAndDecodesWhatIsThere) {
  const TBytes indices = RandomIndices(400, 16, 3);
  const TBytes data = LzwEncode(indices, 4);
  ASSERT_GT(data.size(), 60u);
  TBytes bytes = TGifBuilder().Header(20, 20, 0x83).ColorTable(Greys(16)).Descriptor(0, 0, 20, 20).Raw({4, 200}).Bytes();
  bytes.insert(bytes.end(), data.begin(), data.begin() + 50);
  const TReadOutcome outcome = ReadGifBothWays(bytes);
  EXPECT_EQ(outcome.Error, "");
  EXPECT_EQ(outcome.Warnings, std::vector<std::string>{sOutOfData});
  const TBytes pixels = PixelsOf(outcome);
  const std::size_t decoded = static_cast<std::size_t>(
      std::find_if(pixels.rbegin(), pixels.rend(), [](std::uint8_t p) { return p != 0; }).base() - pixels.begin());
  EXPECT_GT(decoded, 50u) << "the 50 bytes that are there give pixels";
  EXPECT_LT(decoded, 400u);
  EXPECT_TRUE(std::equal(pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(decoded), indices.begin()));
}

TEST(LzwDecoder, DataThatRunsOutWarnsOnlyWhenNoBitIsLeft) {
  // clear and four literals of 3, 3, 3, 3 and 4 bits: exactly two bytes, no end code
  const TBytes exact = TCodePacker().Add(4, 3).Add(1, 3).Add(1, 3).Add(1, 3).Add(1, 4).Bytes();
  ASSERT_EQ(exact.size(), 2u);
  const TReadOutcome longer = ReadGifBothWays(FrameFile(10, 1, 2, exact));
  EXPECT_EQ(PixelsOf(longer), (TBytes{1, 1, 1, 1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(longer.Warnings, std::vector<std::string>{sDecodeTooFewBits});
  ExpectStreamRightAfterTheData(longer);

  // The same four pixels fill the frame; the extra read finds nothing either.
  EXPECT_EQ(ReadGifBothWays(FrameFile(4, 1, 2, exact)).Warnings, std::vector<std::string>{sDecodeTooFewBits});

  // Clear and one literal leave 2 spare bits, too few for a code but not none.
  const TBytes spare = TCodePacker().Add(4, 3).Add(1, 3).Bytes();
  const TReadOutcome partial = ReadGifBothWays(FrameFile(10, 1, 2, spare));
  EXPECT_EQ(PixelsOf(partial), (TBytes{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(partial.Warnings.empty());
}

TEST(LzwDecoder, FileEndingInsideTheDataKeepsTheFrame) {
  const TBytes indices = RandomIndices(64, 4, 5);
  TBytes bytes = TGifBuilder().Header(8, 8, 0x81).ColorTable(Greys(4)).Image(8, 8, indices, 2).Bytes();
  bytes.resize(bytes.size() - 1);  // no terminator: the stream ends where a size byte should be
  const TReadOutcome outcome = ReadGifBothWays(bytes);
  EXPECT_EQ(outcome.Error, "");
  EXPECT_TRUE(outcome.Warnings.empty());
  EXPECT_EQ(PixelsOf(outcome), indices);
}

TEST(LzwDecoder, CodeSizeBeyondTheTablesLeavesTheFillValue) {
  for (std::uint8_t codeSize : {12, 13, 255}) {
    const TBytes data = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const TReadOutcome outcome = ReadGifBothWays(FrameFile(3, 2, codeSize, data));
    EXPECT_EQ(PixelsOf(outcome), TBytes(6, 0)) << int{codeSize};
    ExpectStreamRightAfterTheData(outcome);
  }
}

TEST(LzwDecoder, AfterAClearOnlyAPlainIndexContinues) {
  // s = 2: clear 4, end 5. clear, 2, clear, end: the end code is no pixel.
  const TBytes endAfterClear = TCodePacker().Add(4, 3).Add(2, 3).Add(4, 3).Add(5, 3).Bytes();
  const TReadOutcome ended = ReadGifBothWays(FrameFile(4, 1, 2, endAfterClear));
  EXPECT_EQ(PixelsOf(ended), (TBytes{2, 0, 0, 0}));
  ExpectStreamRightAfterTheData(ended);
  // clear, 7: a code the fresh table does not have ends the frame as well.
  const TBytes unknownAfterClear = TCodePacker().Add(4, 3).Add(7, 3).Add(1, 3).Add(5, 3).Bytes();
  const TReadOutcome unknown = ReadGifBothWays(FrameFile(4, 1, 2, unknownAfterClear));
  EXPECT_EQ(PixelsOf(unknown), (TBytes{0, 0, 0, 0}));
  ExpectStreamRightAfterTheData(unknown);
}

TEST(LzwDecoder, CodesBeyondTheTableFollowTheTableAsItChanges) {
  // s = 3: clear 8, first entry 10. Code 13 is beyond the table when read; the
  // entry made after it points at 13, which is filled only later, so code 12
  // finally gives 3 (its own), 4 (13's, made since) and 3 (13's prefix).
  const TBytes data = TCodePacker().Add(8, 4).Add(1, 4).Add(2, 4).Add(13, 4).Add(3, 4).Add(4, 4).Add(12, 4)
                          .Add(8, 4).Add(5, 4).Add(9, 4).Bytes();
  const TReadOutcome outcome = ReadGifBothWays(FrameFile(12, 1, 3, data));
  EXPECT_EQ(PixelsOf(outcome), (TBytes{1, 2, 2, 2, 3, 4, 3, 4, 3, 5, 0, 0}));
  EXPECT_TRUE(outcome.Warnings.empty());
  ExpectStreamRightAfterTheData(outcome);
}

TEST(LzwDecoder, CircularTablesAreCorruptData) {
  // s = 2: code 7 beyond the table, then 7 makes entry 7 its own prefix.
  const TBytes self = TCodePacker().Add(4, 3).Add(1, 3).Add(7, 3).Add(7, 3).Add(7, 4).Bytes();
  // s = 3: entries 12 and 13 end up as each other's prefix.
  const TBytes pair = TCodePacker().Add(8, 4).Add(1, 4).Add(2, 4).Add(13, 4).Add(12, 4).Add(1, 4).Add(12, 4).Bytes();
  for (const auto& [codeSize, data] : {std::pair<std::uint8_t, TBytes>{2, self}, {3, pair}}) {
    const TBytes bytes = FrameFile(50, 1, codeSize, data);
    const TReadOutcome outcome = ReadGifBothWays(bytes);
    EXPECT_EQ(outcome.Error, sDecodeCircular);
    EXPECT_EQ(outcome.Image->Frames().Count(), 0);
    EXPECT_EQ(outcome.Position, 0);
  }
}

TEST(LzwDecoder, DataBeyondTheLastPixelIsSkipped) {
  // Twice the pixels the frame has: the rest of the data is stepped over.
  const TBytes indices = RandomIndices(200, 8, 11);
  const TReadOutcome outcome = ReadGifBothWays(FrameFile(10, 10, 3, LzwEncode(indices, 3), 0, 10));
  EXPECT_EQ(PixelsOf(outcome), TBytes(indices.begin(), indices.begin() + 100));
  EXPECT_TRUE(outcome.Warnings.empty());
  ExpectStreamRightAfterTheData(outcome);
}

}  // namespace

// The code-stream rules followed literally, one index at a time through the
// prefix and suffix tables and an output stack: what any code stream, valid
// or not, must decode to. Once the last pixel is stored, one more code is
// read when the last string was complete. Empty with circular set when a
// prefix chain loops.
struct TWalked {
  TBytes Pixels;
  bool Circular = false;
  std::size_t CodesRead = 0;
};

TWalked WalkTable(const std::vector<std::pair<int, int>>& codes, int codeSize, std::size_t count) {
  const int clear = 1 << codeSize;
  std::vector<int> prefix(4096, 0);
  std::vector<int> suffix(4096, 0);
  for (int i = 0; i < clear; ++i) suffix[i] = i;
  int nextFree = clear + 2;
  int first = 0;
  int previous = -1;
  TWalked walked{TBytes(count, 0)};
  std::size_t pos = 0;
  bool complete = true;
  for (const auto& [code, width] : codes) {
    const bool lastRead = pos == count;
    if (lastRead && !complete) break;
    ++walked.CodesRead;
    if (previous < 0) {
      walked.Pixels[pos++] = static_cast<std::uint8_t>(code);
      first = previous = code;
      continue;
    }
    TBytes stack;
    int walk = code;
    if (walk >= nextFree) {
      stack.push_back(static_cast<std::uint8_t>(first));
      walk = previous;
    }
    while (walk >= clear) {
      if (prefix[walk] == walk || stack.size() > 4096) return {{}, true, walked.CodesRead};
      stack.push_back(static_cast<std::uint8_t>(suffix[walk]));
      walk = prefix[walk];
    }
    first = suffix[walk];
    stack.push_back(static_cast<std::uint8_t>(first));
    if (nextFree < 4096) {
      prefix[nextFree] = previous;
      suffix[nextFree] = first;
      ++nextFree;
    }
    previous = code;
    if (lastRead) break;
    complete = stack.size() <= count - pos;
    for (auto index = stack.rbegin(); index != stack.rend() && pos < count; ++index) walked.Pixels[pos++] = *index;
  }
  return walked;
}

TEST(LzwDecoder, DamagedStreamsDecodeAsTheTableWalkDoes) {
  // Long runs of valid codes grow the table and the code width before one
  // code beyond the table comes, so the exact decoding starts from a table
  // the quick decoding made; random valid codes follow it.
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 random(seed);
    const int codeSize = 2 + static_cast<int>(seed % 7);
    const int clear = 1 << codeSize;
    const std::size_t validBefore = 50 + random() % 4500;
    std::vector<std::pair<int, int>> codes;
    TCodePacker packer;
    packer.Add(clear, codeSize + 1);
    int nextFree = clear + 2;
    int width = codeSize + 1;
    for (std::size_t k = 0; k < validBefore + 300; ++k) {
      int code = static_cast<int>(random() % static_cast<unsigned>(k == 0 ? clear : nextFree + 1));
      if (code == clear || code == clear + 1) code = 0;
      if (k == validBefore && nextFree + 1 < (1 << width)) code = nextFree + 1 + static_cast<int>(random() % static_cast<unsigned>((1 << width) - nextFree - 1));
      packer.Add(code, width);
      codes.emplace_back(code, width);
      if (k > 0 && nextFree < 4096 && ++nextFree >= (1 << width) && width < 12) ++width;
    }
    const TWalked expected = WalkTable(codes, codeSize, 512 * 512);
    ASSERT_GT(expected.CodesRead, validBefore) << "seed " << seed << ": the frame ends before the damage";
    const TReadOutcome outcome =
        ReadGif(FrameFile(512, 512, static_cast<std::uint8_t>(codeSize), packer.Bytes()), false, 0, false);
    if (expected.Circular) {
      EXPECT_EQ(outcome.Error, sDecodeCircular) << "seed " << seed;
    } else if (outcome.Error.empty()) {
      EXPECT_EQ(PixelsOf(outcome), expected.Pixels) << "seed " << seed;
    } else {
      ADD_FAILURE() << "seed " << seed << ": " << outcome.Error;
    }
  }
}
