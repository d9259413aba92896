// Read, write, read: every GIF the tests build and the files kept from
// fuzzing come back from the writer as they were, by both encoders; and a
// document that reads also copies.
#include <gtest/gtest.h>

#include "GifJson.h"
#include "GifReadHelpers.h"
#include "GifWriteHelpers.h"
#include "MemoryStream.h"
#include "RaisedBy.h"

namespace {

constexpr std::uint8_t LZW = 0;
constexpr std::uint8_t RunLength = 1;
constexpr std::int64_t MaxRoundTripPixels = std::int64_t{1} << 20;

std::int64_t PixelsOf(const TGIFImage& image) {
  std::int64_t pixels = 0;
  for (int i = 0; i < image.Frames().Count(); ++i) pixels += image.Frames()[i].PixelCount();
  return pixels;
}

// Writes the document with the encoding; the file read back must hold what
// was written. Returns the writer's error, "" after success.
std::string ExpectRoundTrip(TGIFImage& image, std::uint8_t encoding, const std::string& name) {
  image.SetEncoding(encoding);
  TMemoryStream out;
  const std::string error = RaisedBy([&] { image.SaveToStream(out); });
  if (image.Frames().Count() == 0) {
    EXPECT_EQ(error, sBadVersion) << name;
  } else if (HasPixelBeyondItsLimit(image)) {
    EXPECT_EQ(error, sInvalidColor) << name;
  } else {
    EXPECT_EQ(error, "") << name;
    const TReadOutcome back = ReadGif(out.Bytes(), false, 0, false);
    EXPECT_EQ(back.Error, "") << name;
    EXPECT_EQ(back.Warnings, std::vector<std::string>{}) << name;
    EXPECT_EQ(WrittenOutline(*back.Image), WrittenOutline(image)) << name << " encoding " << int{encoding};
  }
  return error;
}

TEST(GifRoundTrip, EveryTestFileThatReadsIsWrittenAndReadBackTheSame) {
  int written = 0;
  int refused = 0;
  for (const auto& [name, bytes] : TestGifFiles()) {
    TReadOutcome source = ReadGif(bytes, false, 0, false);
    // Hostile seeds may declare frames far larger than their data; writing
    // those pixels would only cost time.
    if (!source.Error.empty() || PixelsOf(*source.Image) > MaxRoundTripPixels) continue;
    for (std::uint8_t encoding : {LZW, RunLength})
      (ExpectRoundTrip(*source.Image, encoding, name).empty() ? written : refused)++;
  }
  EXPECT_GT(written, 100) << "the seed corpus tests/fuzz/corpus-gif-seed is there";
  EXPECT_GT(refused, 0) << "some files hold pixels beyond their tables or no frame";
}

TEST(GifRoundTrip, FuzzFindingsCopyAndWrite) {
  struct TCase {
    const char* File;
    const char* WriteError;
  };
  // The first holds a frame whose pixels reach beyond its colour table.
  for (const TCase& c : {TCase{"gif-reads-but-copy-fails.gif", sInvalidColor}, TCase{"gif-reads-but-copy-fails-2.gif", ""}}) {
    const TReadOutcome source = ReadGif(GifDataFile(c.File), false);
    ASSERT_EQ(source.Error, "") << c.File;
    std::unique_ptr<TGraphic> copy;
    EXPECT_EQ(RaisedBy([&] { copy = source.Image->Clone(); }), "") << c.File;
    ASSERT_NE(copy, nullptr) << c.File;
    EXPECT_EQ(GifDocumentJson(dynamic_cast<TGIFImage&>(*copy)), source.Json) << c.File;
    for (std::uint8_t encoding : {LZW, RunLength})
      EXPECT_EQ(ExpectRoundTrip(*source.Image, encoding, c.File), c.WriteError) << c.File;
  }
}

// An application block of 10 bytes borrows the data's first byte as the
// identifier's last; of more than 11 it carries bytes after the identifier.
// Both are written as read, so they read back as the same kind of block.
TEST(GifRoundTrip, ApplicationBlocksOfOtherSizesAreWrittenAsRead) {
  const TBytes loop = {0x03, 0x01, 0x05, 0x00, 0x00};
  const std::vector<TBytes> blocks = {
      TGifBuilder().Raw({0x21, 0xFF, 10}).Text("NETSCAPE2.").Raw({0x30}).Raw(TBytes(0x30, 0x01)).Raw({0}).Bytes(),
      TGifBuilder().Raw({0x21, 0xFF, 13}).Text("NETSCAPE2.0").Raw({0xEE, 0xEF}).Raw({2, 0x01, 0x07, 0}).Bytes(),
      TGifBuilder().Raw({0x21, 0xFF, 11}).Text("NETSCAPE2.0").Raw(loop).Bytes(),
  };
  for (const TBytes& block : blocks) {
    TBytes file = TGifBuilder().Header(1, 1, 0x80).ColorTable({0, 0xFFFFFF}).Bytes();
    file.insert(file.end(), block.begin(), block.end());
    const TBytes image = TGifBuilder().Image(1, 1, {1}, 2).Trailer().Bytes();
    file.insert(file.end(), image.begin(), image.end());
    const TReadOutcome source = ReadGif(file, false);
    ASSERT_EQ(source.Error, "");
    TGIFExtension& extension = source.Image->Frames()[0].ExtList()[0];
    TMemoryStream written;
    WriteExtension(written, extension);
    EXPECT_EQ(written.Bytes(), block);
    const std::unique_ptr<TGraphic> copy = source.Image->Clone();
    EXPECT_EQ(GifDocumentJson(dynamic_cast<TGIFImage&>(*copy)), source.Json);
  }
}

}  // namespace
