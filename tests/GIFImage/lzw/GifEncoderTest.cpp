// The image data encoders: the exact bytes of small frames (against the test
// suite's own plain LZW encoder), the clear after code 4094, run codes of the
// run-length encoder, the pixel walk of interlaced frames, the colour limit
// and the data sub-blocks.
#include <gtest/gtest.h>

#include <algorithm>

#include "GIFFrameEncoding.h"
#include "GIFWriter.h"
#include "GifReadHelpers.h"
#include "GifWriteHelpers.h"
#include "SamplePictures.h"
#include "MemoryStream.h"
#include "RaisedBy.h"

namespace {

constexpr std::uint8_t LZW = 0;
constexpr std::uint8_t RunLength = 1;

TBytes Bytes(std::initializer_list<int> values) { return TBytes(values.begin(), values.end()); }

// The pixels the reader gets back from one frame written with the encoding.
TBytes DecodedAgain(TGIFImage& image, std::uint8_t encoding) {
  image.SetEncoding(encoding);
  const TReadOutcome back = ReadGif(Saved(image), false, 0, false);
  EXPECT_EQ(back.Error, "");
  EXPECT_TRUE(back.Warnings.empty());
  if (back.Image->Frames().Count() == 0) return {};
  const TGIFSubImage& frame = back.Image->Frames()[0];
  return TBytes(frame.Pixels(), frame.Pixels() + frame.PixelCount());
}

TEST(GifEncoder, SmallFramesGiveTheBytesOfAPlainLzwEncoder) {
  struct TCase {
    const char* Name;
    int Width, Height, Colors;
    TBytes Pixels;
  };
  const std::vector<TCase> cases = {
      {"one pixel", 1, 1, 2, {0}},
      {"ramp of 4", 7, 5, 4, Ramp(7, 5, 4)},
      {"ramp of 16, codes growing to 6 bits", 31, 9, 16, Ramp(31, 9, 16)},
      {"photo of 256, many sub-blocks", 64, 48, 256, PhotoLikeIndices(64, 48, 256, 7)},
      {"flat of 4", 80, 60, 4, FlatIndices(80, 60, 4)},
  };
  for (const TCase& c : cases) {
    TGIFImage image;
    const TGIFSubImage& frame = AddFrame(image, c.Width, c.Height, c.Pixels, SpreadColors(c.Colors));
    int bits = 2;
    while ((1 << bits) < c.Colors) ++bits;
    EXPECT_EQ(ImageDataOf(frame), TGifBuilder().ImageData(static_cast<std::uint8_t>(bits), LzwEncode(c.Pixels, bits)).Bytes())
        << c.Name;
  }
  TGIFImage image;
  EXPECT_EQ(ImageDataOf(AddFrame(image, 1, 1, {0}, {0x000000})), Bytes({0x02, 0x02, 0x44, 0x01, 0x00}))
      << "clear 4, pixel 0 and end 5 in 3 bits each";
  image.SetEncoding(RunLength);
  EXPECT_EQ(ImageDataOf(image.Frames()[0]), Bytes({0x02, 0x02, 0x44, 0x01, 0x00}));
}

TEST(GifEncoder, OneColourFrameClearsWhenCode4095WouldComeNextAndStartsNarrowAgain) {
  // Strings grow by one pixel per code: 0, then codes 6 (two pixels) up to
  // 4094 (4090 pixels), which takes 1 + 2 + ... + 4090 pixels.
  TGIFImage image;
  const TGIFSubImage& frame = AddFrame(image, 4096, 2044, TBytes(4096 * 2044, 0), {0x000000, 0xFFFFFF});
  const TUnpackedImageData data = UnpackImageData(ImageDataOf(frame));
  std::vector<int> expected = {4, 0};
  for (int code = 6; code <= 4094; ++code) expected.push_back(code);
  expected.insert(expected.end(), {4, 0, 6, 7, 8});
  ASSERT_GT(data.Codes.size(), expected.size());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), data.Codes.begin()))
      << "read with the decoder's widths, the codes after the clear are 3 bits wide again";
  EXPECT_EQ(data.Codes.back(), 5);
  EXPECT_EQ(std::count(data.Codes.begin(), data.Codes.end(), 4), 2);
  EXPECT_EQ(DecodedAgain(image, LZW), TBytes(4096 * 2044, 0));
}

// Runs of the given lengths, one after the other, their pixels cycling
// through colours; with noise, each run follows a stretch of noise pixels.
TBytes Runs(const std::vector<int>& lengths, int colors, bool noise) {
  TBytes pixels;
  std::uint32_t random = 12345;
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    for (int n = 0; noise && n < 9; ++n) {
      random = random * 1103515245u + 12345u;
      pixels.push_back(static_cast<std::uint8_t>((random >> 16) % static_cast<std::uint32_t>(colors)));
    }
    pixels.insert(pixels.end(), static_cast<std::size_t>(lengths[i]), static_cast<std::uint8_t>(i % static_cast<std::size_t>(colors)));
  }
  return pixels;
}

std::vector<int> Lengths(int from, int to, int repeats) {
  std::vector<int> lengths;
  for (int r = 0; r < repeats; ++r)
    for (int length = from; length <= to; ++length) lengths.push_back(length);
  return lengths;
}

TEST(GifEncoder, RunsGiveTheBytesOfAPlainLzwEncoderThatClearsBeforeCode4095) {
  struct TCase {
    const char* Name;
    int Colors;
    TBytes Pixels;
    int Width;
    bool Interlaced;
  };
  const std::vector<TCase> cases = {
      {"runs of 1 to 20, around the run of eight", 4, Runs(Lengths(1, 20, 3), 4, false), 30, false},
      {"one colour, strings across the widths 3 to 12", 2, TBytes(300000, 1), 600, false},
      {"one colour of 256, the table's chains move often", 256, TBytes(200000, 77), 500, false},
      {"runs growing to 2500, past full tables", 4, Runs(Lengths(1, 2500, 1), 4, false), 1000, false},
      {"the same run again and again, its chain growing", 2, Runs(std::vector<int>(3000, 40), 2, false), 1200, false},
      {"noise between runs, clears inside runs", 256, Runs(Lengths(5, 70, 40), 256, true), 997, false},
      {"noise between runs of 16 colours", 16, Runs(Lengths(1, 30, 60), 16, true), 613, false},
      {"a run that ends the frame", 4, Runs({3, 9, 500}, 4, false), 32, false},
      {"interlaced rows, runs across row ends", 4, Runs(Lengths(20, 200, 6), 4, true), 64, true},
  };
  for (const TCase& c : cases) {
    const int height = static_cast<int>(c.Pixels.size() / static_cast<std::size_t>(c.Width));
    const TBytes pixels(c.Pixels.begin(), c.Pixels.begin() + static_cast<std::ptrdiff_t>(c.Width) * height);
    TGIFImage image;
    TGIFSubImage& frame = AddFrame(image, c.Width, height, pixels, SpreadColors(c.Colors));
    frame.SetInterlaced(c.Interlaced);
    TBytes stored;
    for (int pass = 0; pass < (c.Interlaced ? 4 : 1); ++pass) {
      const int first = c.Interlaced ? std::vector<int>{0, 4, 2, 1}[pass] : 0;
      const int step = c.Interlaced ? std::vector<int>{8, 8, 4, 2}[pass] : 1;
      for (int y = first; y < height; y += step)
        stored.insert(stored.end(), pixels.begin() + y * c.Width, pixels.begin() + (y + 1) * c.Width);
    }
    int bits = 2;
    while ((1 << bits) < c.Colors) ++bits;
    EXPECT_EQ(ImageDataOf(frame), TGifBuilder().ImageData(static_cast<std::uint8_t>(bits), LzwEncode(stored, bits, true, 4094)).Bytes())
        << c.Name;
  }
}

TEST(GifEncoder, RunLengthEncoderWritesOnlyPixelAndRunCodesThatDecodeToTheFrame) {
  struct TCase {
    int Width, Height, Colors;
    std::uint8_t Pixel;
  };
  for (const TCase& c : std::vector<TCase>{{1, 2, 2, 1}, {5, 3, 4, 2}, {64, 64, 2, 1}, {300, 200, 16, 9},
                                           {1000, 1000, 256, 200}, {4096, 1024, 4, 3},
                                           {4096, 2100, 4, 3}}) {  // longer than one table's runs
    const std::string name = std::to_string(c.Width) + "x" + std::to_string(c.Height);
    TGIFImage image;
    image.SetEncoding(RunLength);
    const TBytes pixels(static_cast<std::size_t>(c.Width) * c.Height, c.Pixel);
    const TGIFSubImage& frame = AddFrame(image, c.Width, c.Height, pixels, SpreadColors(c.Colors));
    const TUnpackedImageData data = UnpackImageData(ImageDataOf(frame));
    const int clear = 1 << data.CodeSize;
    for (int code : data.Codes)
      ASSERT_TRUE(code == c.Pixel || code == clear || code == clear + 1 || code >= clear + 2) << name << " code " << code;
    if (pixels.size() >= 100) {
      EXPECT_LT(data.Codes.size() * 10, pixels.size()) << name << ": runs, not single pixels";
    }
    EXPECT_EQ(DecodedAgain(image, RunLength), pixels) << name;
  }
}

TEST(GifEncoder, InterlacedFramesWriteEveryRowInPassOrder) {
  const std::vector<std::vector<int>> passOrder = {{0}, {0, 1}, {0, 2, 1}, {0, 2, 1, 3}, {0, 4, 2, 1, 3}, {0, 4, 2, 1, 3, 5}};
  for (std::size_t height = 1; height <= passOrder.size(); ++height) {
    TGIFImage image;
    AddColors(image.GlobalColorMap(), Greys(8));
    TBytes pixels;
    for (std::size_t y = 0; y < height; ++y) pixels.insert(pixels.end(), {std::uint8_t(y), std::uint8_t(y), 7});
    TGIFSubImage& frame = AddFrame(image, 3, static_cast<int>(height), pixels);
    frame.SetInterlaced(true);
    TBytes stored;
    for (int y : passOrder[height - 1]) stored.insert(stored.end(), pixels.begin() + 3 * y, pixels.begin() + 3 * y + 3);
    EXPECT_EQ(ImageDataOf(frame), TGifBuilder().ImageData(3, LzwEncode(stored, 3)).Bytes()) << "height " << height;
    for (std::uint8_t encoding : {LZW, RunLength})
      EXPECT_EQ(DecodedAgain(image, encoding), pixels) << "height " << height << " encoding " << int{encoding};
  }
}

TEST(GifEncoder, PixelsMustStayBelowTheColourLimit) {
  struct TCase {
    const char* Name;
    int LocalColors, GlobalColors;
    std::uint8_t Pixel;
    bool Fits;
  };
  const std::vector<TCase> cases = {
      {"local table of 3 takes 2", 3, 0, 2, true},
      {"local table of 3 refuses 3", 3, 0, 3, false},
      {"local table of 3 limits also with a larger global table", 3, 16, 3, false},
      {"global table of 3 takes 3 (its bits allow 4)", 0, 3, 3, true},
      {"global table of 3 refuses 4", 0, 3, 4, false},
      {"no table anywhere takes 0 only", 0, 0, 0, true},
      {"no table anywhere refuses 1", 0, 0, 1, false},
      {"table of 256 takes 255", 256, 0, 255, true},
  };
  for (const TCase& c : cases) {
    for (std::uint8_t encoding : {LZW, RunLength}) {
      TGIFImage image;
      image.SetEncoding(encoding);
      AddColors(image.GlobalColorMap(), SpreadColors(c.GlobalColors));
      TBytes pixels(600, 0);
      pixels[555] = c.Pixel;
      const TGIFSubImage& frame = AddFrame(image, 30, 20, pixels, SpreadColors(c.LocalColors));
      TMemoryStream out;
      const std::string error = RaisedBy([&] { EncodeFrameData(frame, out); });
      EXPECT_EQ(error, c.Fits ? "" : sInvalidColor) << c.Name;
      if (!c.Fits) {
        ASSERT_FALSE(out.Bytes().empty()) << c.Name;
        EXPECT_NE(out.Bytes().back(), 0) << c.Name << ": no terminator after a failure";
      }
    }
  }
}

TEST(GifEncoder, DataComesInFullSubBlocksAndOneShorterLastOne) {
  for (std::uint8_t encoding : {LZW, RunLength}) {
    TGIFImage image;
    image.SetEncoding(encoding);
    const TGIFSubImage& frame = AddFrame(image, 257, 211, PhotoLikeIndices(257, 211, 64, 9), SpreadColors(64));
    const TUnpackedImageData data = UnpackImageData(ImageDataOf(frame));
    ASSERT_GT(data.BlockSizes.size(), 2u);
    EXPECT_TRUE(data.Terminated);
    EXPECT_TRUE(std::all_of(data.BlockSizes.begin(), data.BlockSizes.end() - 1, [](int size) { return size == 255; }));
    EXPECT_GT(data.BlockSizes.back(), 0);
    EXPECT_EQ(data.CodeSize, 6);
  }
}

TEST(GifEncoder, SubBlockWriterOnlyWrites) {
  TMemoryStream destination;
  TGIFWriter writer(destination);
  std::uint8_t byte = 0;
  EXPECT_EQ(RaisedBy([&] { writer.Read(&byte, 1); }), sInvalidStream);
  EXPECT_EQ(RaisedBy([&] { writer.Seek(0, TSeekOrigin::soBeginning); }), sInvalidStream);
  const TBytes data(300, 0xAB);
  writer.Write(data.data(), 300);
  EXPECT_TRUE(writer.OutputPending());
  writer.Flush();
  EXPECT_FALSE(writer.OutputPending());
  writer.Flush();
  ASSERT_EQ(destination.Bytes().size(), 302u) << "a sub-block of 255, one of 45, and nothing for the second flush";
  EXPECT_EQ(destination.Bytes()[0], 255);
  EXPECT_EQ(destination.Bytes()[256], 45);
}

}  // namespace
