// The GIF writer: the blocks of a document as the program's Animate builds
// it, the version and the flag bytes it chooses, colour tables filled up to a
// power of two (the outline read back holds the black entries), frames
// without images, text sub-blocks, progress, and what a failed save leaves
// behind.
#include <gtest/gtest.h>

#include "GifReadHelpers.h"
#include "GifWriteHelpers.h"
#include "MemoryStream.h"
#include "RaisedBy.h"
#include "SamplePictures.h"
#include "TestFiles.h"

namespace {

std::string Version(const TBytes& file) { return std::string(file.begin(), file.begin() + 6); }

// Four frames as Animate makes them: a 256-entry local table of which 216
// are used, a graphic control extension of delay 30 on each, a looping
// extension on the first.
TEST(GifWriter, AnimationOfFourFramesWritesTheExpectedBlocks) {
  TGIFImage image;
  std::vector<std::uint32_t> cube;
  for (int i = 0; i < 216; ++i) cube.push_back(static_cast<std::uint32_t>((i / 36) * 0x330000 + (i / 6 % 6) * 0x3300 + (i % 6) * 0x33));
  TGifBuilder expected;
  expected.Header(5, 3, 0x77);
  for (int f = 0; f < 4; ++f) {
    const TBytes pixels = PhotoLikeIndices(5, 3, 216, static_cast<unsigned>(f));
    TGIFSubImage& frame = AddFrame(image, 5, 3, pixels, cube);
    if (f == 0) {
      frame.ExtList().Add(std::make_unique<TGIFAppExtNSLoop>(&frame));
      expected.Raw({0x21, 0xFF, 0x0B}).Text("NETSCAPE2.0").Raw({0x03, 0x01, 0x00, 0x00, 0x00});
    }
    auto control = std::make_unique<TGIFGraphicControlExtension>(&frame);
    control->SetDelay(30);
    frame.ExtList().Add(std::move(control));
    std::vector<std::uint32_t> table = cube;
    table.resize(256, 0);
    expected.Raw({0x21, 0xF9, 0x04, 0x00, 0x1E, 0x00, 0x00, 0x00})
        .Descriptor(0, 0, 5, 3, 0x87)
        .ColorTable(table)
        .ImageData(8, LzwEncode(pixels, 8));
  }
  EXPECT_EQ(Saved(image), expected.Trailer().Bytes());

  const TReadOutcome back = ReadGif(Saved(image), false);
  ASSERT_EQ(back.Error, "");
  ASSERT_EQ(back.Image->Frames().Count(), 4);
  EXPECT_EQ(back.Image->Frames()[3].LocalMap().Count(), 256);
  EXPECT_EQ(back.Image->Frames()[3].ControlBlock()->Delay(), 30);
  EXPECT_NE(back.Json.find("\"loop_count\":0"), std::string::npos);
}

TEST(GifWriter, VersionAndFlagBytesFollowTheContent) {
  struct TCase {
    const char* Name;
    std::function<void(TGIFImage&)> Build;
    const char* Version;
    int ScreenFlags;
    int ImageFlags;
    int CodeSize;
  };
  const auto frame = [](TGIFImage& image, int localColors) -> TGIFSubImage& {
    return AddFrame(image, 2, 2, {0, 1, 1, 0}, SpreadColors(localColors));
  };
  const std::vector<TCase> cases = {
      {"no extensions, unsorted tables", [&](TGIFImage& i) { frame(i, 4); }, "GIF87a", 0x11, 0x81, 2},
      {"an extension", [&](TGIFImage& i) {
         TGIFSubImage& f = frame(i, 4);
         f.ExtList().Add(std::make_unique<TGIFCommentExtension>(&f));
       }, "GIF89a", 0x11, 0x81, 2},
      {"a sorted local table", [&](TGIFImage& i) { frame(i, 16).LocalMap().SetSorted(true); }, "GIF89a", 0x33, 0xA3, 4},
      {"a sorted global table does not need 89a", [&](TGIFImage& i) {
         AddColors(i.GlobalColorMap(), SpreadColors(8));
         i.GlobalColorMap().SetSorted(true);
         frame(i, 0);
       }, "GIF87a", 0xAA, 0x00, 3},
      {"no global table, 129 local colours", [&](TGIFImage& i) { frame(i, 129); }, "GIF87a", 0x77, 0x87, 8},
      {"a global table smaller than a local one announces its own size", [&](TGIFImage& i) {
         AddColors(i.GlobalColorMap(), SpreadColors(4));
         frame(i, 0);
         frame(i, 256);
       }, "GIF87a", 0xF1, 0x00, 8},
      {"no colours at all", [&](TGIFImage& i) { AddFrame(i, 2, 2, {0, 0, 0, 0}); }, "GIF87a", 0x77, 0x00, 2},
      {"a 3-colour local table is announced as 4", [&](TGIFImage& i) { frame(i, 3); }, "GIF87a", 0x11, 0x81, 2},
      {"a 1-colour local table is announced as 2", [&](TGIFImage& i) { AddFrame(i, 1, 1, {0}, {0xABCDEF}); }, "GIF87a",
       0x00, 0x80, 2},
      {"a local table drops the interlace flag", [&](TGIFImage& i) { frame(i, 2).SetFlags(0x58); }, "GIF87a", 0x00, 0x80, 2},
      {"without a local table interlace and reserved bits stay", [&](TGIFImage& i) {
         AddColors(i.GlobalColorMap(), SpreadColors(2));
         frame(i, 0).SetFlags(0xFF);
       }, "GIF87a", 0x80, 0x58, 2},
  };
  for (const TCase& c : cases) {
    TGIFImage image;
    c.Build(image);
    const TBytes file = Saved(image);
    EXPECT_EQ(Version(file), c.Version) << c.Name;
    EXPECT_EQ(file[10], c.ScreenFlags) << c.Name;
    const std::size_t descriptor = 13 + ((file[10] & 0x80) ? 3u << ((file[10] & 7) + 1) : 0u) +
                                   (Version(file) == "GIF89a" ? image.Frames()[0].ExtList().Count() * 3u : 0u);
    ASSERT_EQ(file[descriptor], 0x2C) << c.Name;
    EXPECT_EQ(file[descriptor + 9], c.ImageFlags) << c.Name;
    const std::size_t table = (file[descriptor + 9] & 0x80) ? 3u << ((file[descriptor + 9] & 7) + 1) : 0u;
    EXPECT_EQ(file[descriptor + 10 + table], c.CodeSize) << c.Name;
    const TReadOutcome back = ReadGif(file, false);
    EXPECT_EQ(back.Error, "") << c.Name;
    EXPECT_EQ(WrittenOutline(*back.Image), WrittenOutline(image)) << c.Name;
  }
}

TEST(GifWriter, FramesWithoutImagesWriteOnlyTheirExtensions) {
  TGIFImage image;
  AddColors(image.GlobalColorMap(), Greys(4));
  AddFrame(image, 2, 1, {1, 2});
  TGIFSubImage& empty = AddFrame(image, 0, 0, {});
  auto comment = std::make_unique<TGIFCommentExtension>(&empty);
  comment->Lines() = {std::string(300, 'x'), "", "end"};
  empty.ExtList().Add(std::move(comment));
  const TBytes file = Saved(image);
  TBytes tail = {0x21, 0xFE, 255};
  tail.insert(tail.end(), 255, 'x');
  tail.push_back(45);
  tail.insert(tail.end(), 45, 'x');
  tail.insert(tail.end(), {3, 'e', 'n', 'd', 0, 0x3B});
  ASSERT_GE(file.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), file.end() - static_cast<std::ptrdiff_t>(tail.size())))
      << "a 300-byte line in pieces of 255 and 45, the empty line not at all, then the trailer";

  const TReadOutcome back = ReadGif(file, false);
  ASSERT_EQ(back.Image->Frames().Count(), 2);
  const auto& lines = dynamic_cast<TGIFCommentExtension&>(back.Image->Frames()[1].ExtList()[0]).Lines();
  EXPECT_EQ(lines, (TGIFLines{std::string(255, 'x'), std::string(45, 'x'), "end"}));
}

TEST(GifWriter, ADocumentWithoutFramesIsRefusedBeforeAnyByte) {
  TGIFImage image;
  TMemoryStream out;
  EXPECT_EQ(RaisedBy([&] { image.SaveToStream(out); }), sBadVersion);
  EXPECT_EQ(out.Size(), 0);
}

TEST(GifWriter, SavingTellsItsProgressAndAlwaysEnds) {
  TGIFImage image;
  std::vector<std::string> heard;
  image.SetOnProgress([&](const std::string& text, TProgressStage stage, int percent) {
    heard.push_back(text + " " + std::to_string(static_cast<int>(stage)) + " " + std::to_string(percent));
  });
  for (int i = 0; i < 3; ++i) AddFrame(image, 2, 2, {0, 1, 0, 1}, Greys(2));
  Saved(image);
  EXPECT_EQ(heard, (std::vector<std::string>{"Saving... 0 0", "Saving... 1 33", "Saving... 1 67", "Saving... 1 100",
                                             "Saving... 2 100"}));
  heard.clear();
  image.Frames()[1].Pixels()[3] = 2;
  TMemoryStream out;
  EXPECT_EQ(RaisedBy([&] { image.SaveToStream(out); }), sInvalidColor);
  EXPECT_EQ(heard, (std::vector<std::string>{"Saving... 0 0", "Saving... 1 33", "Saving... 2 0"}));
}

TEST(GifWriter, AFailedSaveByNameKeepsTheOldFile) {
  TTempDir folder;
  const std::string name = folder.File("picture.gif");
  TGIFImage image;
  AddFrame(image, 4, 4, Ramp(4, 4, 4), Greys(4));
  image.SaveToFile(name);
  const TBytes good = ReadWholeFile(name);
  EXPECT_EQ(good, Saved(image));

  image.Frames()[0].Pixels()[15] = 4;
  EXPECT_EQ(RaisedBy([&] { image.SaveToFile(name); }), sInvalidColor);
  EXPECT_EQ(ReadWholeFile(name), good);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "no temporary file is left";
}

// A stray byte where the image separator belongs is read as the frame's
// separator; the writer puts the real one there, or no decoder would read on.
TEST(GifWriter, AFrameReadBehindAStrayByteGetsTheImageSeparator) {
  const TBytes bytes = TGifBuilder()
                           .Header(2, 2, 0x91)
                           .ColorTable(Greys(4))
                           .GraphicControl(0, 7, 0)
                           .Raw({0x77}).Word(0).Word(0).Word(2).Word(2).Raw({0})
                           .ImageData(2, LzwEncode({0, 1, 2, 3}, 2))
                           .Trailer()
                           .Bytes();
  const TReadOutcome source = ReadGif(bytes, false);
  ASSERT_EQ(source.Warnings, std::vector<std::string>{sBadExtensionLabel});
  TBytes expected = bytes;
  expected[33] = 0x2C;
  EXPECT_EQ(Saved(*source.Image), expected);
}

}  // namespace
