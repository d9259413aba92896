// giflib's DGifSlurp decodes what our writer writes, by both encoders, to the
// frames, tables, indices and extensions of the document that was written:
// the test files and large photo-like and flat frames.
#include <gtest/gtest.h>

#include "GifReadHelpers.h"
#include "GifWriteHelpers.h"
#include "GiflibOracle.h"
#include "MemoryStream.h"

namespace {

constexpr std::int64_t MaxCheckedPixels = std::int64_t{1} << 20;

std::vector<std::uint32_t> WrittenEntries(const TGIFColorMap& map) {
  std::vector<std::uint32_t> colors;
  for (const TGIFColor& c : map.Entries())
    colors.push_back((std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue);
  if (map.Count() > 0) colors.resize(std::size_t{1} << map.BitsPerPixel(), 0);
  return colors;
}

// The extension as label and data sub-blocks, read from its written bytes;
// nullopt when those are not plain sub-blocks (a graphic control block with
// another terminator than 0), which giflib would read otherwise.
std::optional<TOracleExtension> AsSubBlocks(TGIFExtension& extension, int beforeFrame) {
  TMemoryStream stream;
  WriteExtension(stream, extension);
  const TBytes& bytes = stream.Bytes();
  TOracleExtension result{beforeFrame, bytes[1], {}};
  std::size_t at = 2;
  while (at < bytes.size() && bytes[at] != 0) {
    const std::size_t end = at + 1 + bytes[at];
    if (end > bytes.size()) return std::nullopt;
    result.Blocks.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at + 1), bytes.begin() + static_cast<std::ptrdiff_t>(end));
    at = end;
  }
  if (at + 1 != bytes.size()) return std::nullopt;
  return result;
}

// The extensions as giflib hands them over, with the frame each stands
// before; nullopt when one of them is not plain sub-blocks or has none
// (giflib 5.2 reads on past an extension without data).
std::optional<std::vector<TOracleExtension>> PlainExtensions(TGIFImage& image) {
  std::vector<TOracleExtension> extensions;
  int frame = 0;
  for (int i = 0; i < image.Frames().Count(); ++i) {
    TGIFSubImage& ours = image.Frames()[i];
    for (int e = 0; e < ours.ExtList().Count(); ++e) {
      const auto extension = AsSubBlocks(ours.ExtList()[e], frame);
      if (!extension || extension->Blocks.empty()) return std::nullopt;
      extensions.push_back(*extension);
    }
    if (!ours.Empty()) ++frame;
  }
  return extensions;
}

// giflib takes only files with an image, and reads extensions as sub-blocks.
bool GiflibCanRead(TGIFImage& image) {
  bool images = false;
  for (int i = 0; i < image.Frames().Count(); ++i) images = images || !image.Frames()[i].Empty();
  return images && PlainExtensions(image).has_value();
}

void ExpectGiflibReadsTheDocument(TGIFImage& image, const TBytes& file, const std::string& label) {
  TOracleDecodedGif oracle;
  try {
    oracle = GiflibDecode(file);
  } catch (const std::exception& error) {
    ADD_FAILURE() << label << ": " << error.what();
    return;
  }
  EXPECT_EQ(oracle.Width, image.Width()) << label;
  EXPECT_EQ(oracle.Height, image.Height()) << label;
  EXPECT_EQ(oracle.GlobalColors, WrittenEntries(image.GlobalColorMap())) << label;
  if (const auto extensions = PlainExtensions(image)) {
    EXPECT_EQ(oracle.Extensions, *extensions) << label;
  }
  std::size_t frame = 0;
  for (int i = 0; i < image.Frames().Count(); ++i) {
    TGIFSubImage& ours = image.Frames()[i];
    if (ours.Empty()) continue;
    ASSERT_LT(frame, oracle.Frames.size()) << label;
    const TOracleFrame& theirs = oracle.Frames[frame++];
    EXPECT_EQ(theirs.Left, ours.Left()) << label;
    EXPECT_EQ(theirs.Top, ours.Top()) << label;
    EXPECT_EQ(theirs.Width, ours.Width()) << label;
    EXPECT_EQ(theirs.Height, ours.Height()) << label;
    EXPECT_EQ(theirs.Interlaced, ours.Interlaced()) << label;
    EXPECT_EQ(theirs.LocalColors, WrittenEntries(ours.LocalMap())) << label;
    EXPECT_TRUE(std::equal(theirs.Indices.begin(), theirs.Indices.end(), ours.Pixels())) << label << ": indices differ";
  }
  EXPECT_EQ(frame, oracle.Frames.size()) << label;
}

TEST(GiflibReadsOurFiles, EveryTestFileThatWrites) {
  int checked = 0;
  for (const auto& [name, bytes] : TestGifFiles()) {
    TReadOutcome source = ReadGif(bytes, false, 0, false);
    if (!source.Error.empty() || !GiflibCanRead(*source.Image) || HasPixelBeyondItsLimit(*source.Image)) continue;
    std::int64_t pixels = 0;
    for (int i = 0; i < source.Image->Frames().Count(); ++i) pixels += source.Image->Frames()[i].PixelCount();
    if (pixels > MaxCheckedPixels) continue;
    for (std::uint8_t encoding : {0, 1}) {
      source.Image->SetEncoding(encoding);
      ExpectGiflibReadsTheDocument(*source.Image, Saved(*source.Image), name + " encoding " + std::to_string(encoding));
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST(GiflibReadsOurFiles, LargePhotoLikeAndFlatFrames) {
  const std::vector<std::pair<int, int>> sizes = {{1, 1}, {7, 3}, {640, 480}, {1024, 1021}};
  for (const auto& [width, height] : sizes) {
    for (int bits : {1, 2, 5, 8}) {
      for (bool photo : {false, true}) {
        for (std::uint8_t encoding : {0, 1}) {
          TGIFImage image;
          image.SetEncoding(encoding);
          const TBytes pixels = photo ? PhotoLikeIndices(width, height, 1 << bits, 5) : FlatIndices(width, height, 1 << bits);
          AddFrame(image, width, height, pixels, SpreadColors(1 << bits));
          ExpectGiflibReadsTheDocument(image, Saved(image),
                                       std::to_string(width) + "x" + std::to_string(height) + " bits " + std::to_string(bits) +
                                           (photo ? " photo" : " flat") + " encoding " + std::to_string(encoding));
        }
      }
    }
  }
}

}  // namespace
