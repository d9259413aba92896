// Reading with only the leading frames decoded at once (FramesDecodedOnLoad):
// sound and damaged documents read exactly as when every frame is decoded,
// the later frames are decoded on first use by every road to their pixels,
// and copies and saved files are the same.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <utility>

#include "GifReadHelpers.h"
#include "MemoryStream.h"
#include "PixelMemory.h"

namespace {

TBytes Random(std::size_t count, int colors) {
  std::mt19937 random(static_cast<unsigned>(count));
  TBytes indices(count);
  for (auto& index : indices) index = static_cast<std::uint8_t>(random() % colors);
  return indices;
}

// A plain frame 0, the frame under test, and (unless it ends the file) a plain
// frame after it, so that the stream's place after the frame shows.
TBytes Around(const std::function<void(TGifBuilder&)>& frame, bool last = false) {
  TGifBuilder gif;
  gif.Header(100, 60, 0x87).ColorTable(Greys(256)).Image(4, 2, Random(8, 16), 4);
  frame(gif);
  if (!last) gif.Image(3, 3, Random(9, 4), 2).Trailer();
  return gif.Bytes();
}

std::function<void(TGifBuilder&)> Data(std::uint16_t width, std::uint16_t height, std::uint8_t codeSize,
                                       const TBytes& data, std::uint8_t flags = 0) {
  return [=](TGifBuilder& gif) { gif.Descriptor(0, 0, width, height, flags).ImageData(codeSize, data); };
}

struct TDocumentCase {
  const char* Name;
  TBytes Bytes;
};

std::vector<TDocumentCase> Documents() {
  const TBytes half = LzwEncode(TBytes(100, 7), 4);
  // s = 2: code 7 one beyond the table, then 7 makes entry 7 its own prefix.
  const TBytes circular = TCodePacker().Add(4, 3).Add(1, 3).Add(7, 3).Add(7, 3).Add(7, 4).Add(5, 4).Bytes();
  const TBytes beyondTable = TCodePacker().Add(8, 4).Add(1, 4).Add(2, 4).Add(13, 4).Add(3, 4).Add(4, 4).Add(12, 4)
                                 .Add(8, 4).Add(5, 4).Add(9, 4).Bytes();
  // Every code, the end code too, in a sub-block that announces more bytes than the file holds.
  const TBytes codes = LzwEncode(Random(100, 16), 4);
  const TBytes shortened = Around([&](TGifBuilder& gif) {
    gif.Descriptor(0, 0, 20, 20).Raw({4, static_cast<int>(codes.size()) + 20}).Raw(codes);
  }, true);
  return {
      {"plain", Around(Data(20, 10, 4, LzwEncode(Random(200, 16), 4)))},
      {"interlaced", Around(Data(20, 10, 4, LzwEncode(Random(200, 16), 4), 0x40))},
      {"transparent, ending early", Around([&](TGifBuilder& gif) {
         gif.GraphicControl(0x01, 0, 9);
         Data(20, 10, 4, half)(gif);
       })},
      {"end code before the last pixel", Around(Data(20, 10, 4, half))},
      {"data running out", Around(Data(10, 1, 2, TCodePacker().Add(4, 3).Add(1, 3).Add(1, 3).Add(1, 3).Add(1, 4).Bytes()))},
      {"end code after a clear", Around(Data(4, 1, 2, TCodePacker().Add(4, 3).Add(2, 3).Add(4, 3).Add(5, 3).Bytes()))},
      {"clear codes on the way", Around(Data(100, 60, 8, LzwEncode(Random(6000, 256), 8)))},
      {"table full without clear", Around(Data(100, 60, 8, LzwEncode(Random(6000, 256), 8, false)))},
      {"code beyond the table", Around(Data(12, 1, 3, beyondTable))},
      {"code size beyond the tables", Around(Data(3, 2, 12, {0xFF, 0xFF, 0xFF}))},
      {"code size far beyond the tables", Around(Data(3, 2, 255, {0xFF, 0xFF, 0xFF}))},
      {"more data than pixels", Around(Data(10, 10, 4, LzwEncode(Random(300, 16), 4)))},
      {"circular table", Around(Data(50, 1, 2, circular))},
      {"shortened sub-block", shortened},
  };
}

TEST(GifDeferredDecode, DocumentsReadAsWhenEveryFrameIsDecoded) {
  for (const auto& [name, bytes] : Documents()) {
    const TReadOutcome all = ReadGif(bytes, false);
    for (int decodedOnLoad : {0, 1, 2}) {
      const TReadOutcome later = ReadGif(bytes, false, 0, true, decodedOnLoad);
      EXPECT_EQ(later.Json, all.Json) << name;  // every frame's pixels among the rest
      EXPECT_EQ(later.Warnings, all.Warnings) << name;
      EXPECT_EQ(later.Error, all.Error) << name;
      EXPECT_EQ(later.Position, all.Position) << name;
    }
  }
}

std::string Text(const std::uint8_t* bytes, std::size_t count) { return std::string(bytes, bytes + count); }

std::string Saved(TGIFImage& image) {
  TMemoryStream out;
  image.SaveToStream(out);
  return Text(out.Bytes().data(), out.Bytes().size());
}

// The first thing done to the kept frame 1, and what it gives: each road to
// its pixels, and each change that replaces them.
TEST(GifDeferredDecode, EveryRoadToTheKeptPixelsAndEveryChangeOfThemGivesWhatDecodingAllGives) {
  const TBytes bytes = Around([](TGifBuilder& gif) {
    gif.GraphicControl(0x01, 0, 9).Descriptor(0, 0, 20, 10, 0x40).ImageData(4, LzwEncode(Random(150, 16), 4));
  });
  const auto frame = [](TGIFImage& image) -> TGIFSubImage& { return image.Frames()[1]; };
  const auto change = [&](std::function<void(TGIFSubImage&)> how) {
    return [=](TGIFImage& image) {
      how(frame(image));
      return Saved(image);
    };
  };
  const std::vector<std::pair<const char*, std::function<std::string(TGIFImage&)>>> roads = {
      {"const pixels", [&](TGIFImage& image) { return Text(std::as_const(frame(image)).Pixels(), 200); }},
      {"pixel index", [&](TGIFImage& image) { return std::to_string(frame(image).PixelIndex(7, 9)); }},
      {"scan line", [&](TGIFImage& image) { return Text(frame(image).ScanLine(8), 20); }},
      {"bitmap", [&](TGIFImage& image) { return Text(frame(image).Bitmap()->ScanLine(6), 20); }},
      {"mask", [&](TGIFImage& image) { return std::to_string(frame(image).HasMask()); }},
      {"saving", Saved},
      {"copy", [](TGIFImage& image) { return Saved(dynamic_cast<TGIFImage&>(*image.Clone())); }},
      {"frame copy", [&](TGIFImage& image) {
         TGIFSubImage copy(nullptr);
         copy.Assign(frame(image));
         return Text(copy.Pixels(), 200);
       }},
      {"sorting the table", [](TGIFImage& image) { return std::to_string(image.GlobalColorMap().SortByUse()) + Saved(image); }},
      {"allocating", change([](TGIFSubImage& f) { f.AllocatePixels(3); })},
      {"resizing", change([](TGIFSubImage& f) { f.SetBounds(0, 0, 10, 20); })},
      {"moving", change([](TGIFSubImage& f) { f.SetBounds(5, 5, 20, 10); })},
      {"clearing", change([](TGIFSubImage& f) { f.Clear(); })},
      {"importing", change([](TGIFSubImage& f) {
         TBitmap picture;
         picture.SetSize(3, 2);
         f.LoadFromGraphic(picture);
       })},
  };
  for (const auto& [name, road] : roads) {
    const TReadOutcome all = ReadGif(bytes, false, 0, false);
    const TReadOutcome later = ReadGif(bytes, false, 0, false, 1);
    EXPECT_FALSE(later.Image->Frames()[1].Empty()) << name;
    EXPECT_EQ(road(*later.Image), road(*all.Image)) << name;
  }
}

TEST(GifDeferredDecode, KeptFramesTakeNoPixelMemoryUntilUsed) {
  // Twelve 1024 x 1024 frames, transparent index 5 beyond a short run of
  // data. Only the first is decoded while reading; the others take their
  // megabyte each when their pixels are first used.
  TGifBuilder gif;
  gif.Header(1024, 1024, 0x87).ColorTable(Greys(256));
  for (int k = 0; k < 12; ++k)
    gif.GraphicControl(0x01, 0, 5).Descriptor(0, 0, 1024, 1024).ImageData(8, LzwEncode(TBytes(300, 1), 8));
  const TBytes bytes = gif.Trailer().Bytes();
  constexpr std::size_t Frame = std::size_t{1} << 20;
  const std::size_t before = PixelBytesHeld().Now;
  const TReadOutcome later = ReadGif(bytes, false, 0, false, 1);
  EXPECT_EQ(PixelBytesHeld().Now - before, Frame);
  EXPECT_EQ(later.Image->Frames()[11].PixelIndex(1023, 1023), 5);
  EXPECT_EQ(PixelBytesHeld().Now - before, 2 * Frame);
  const TReadOutcome all = ReadGif(bytes, false, 0, false);
  EXPECT_EQ(PixelBytesHeld().Now - before, 14 * Frame);
}

TEST(GifDeferredDecode, KeptFramesCountAgainstTheDocumentsPixelLimit) {
  TGifBuilder gif;  // five frames of 8192 x 8192: one more than a document may hold
  gif.Header(8192, 8192);
  for (int k = 0; k < 5; ++k) gif.Descriptor(0, 0, 8192, 8192).ImageData(2, LzwEncode({1, 2, 3}, 2));
  const TReadOutcome outcome = ReadGif(gif.Trailer().Bytes(), false, 0, false, 1);
  EXPECT_EQ(outcome.Error, sDocumentTooLarge);
  EXPECT_EQ(outcome.Image->Frames().Count(), 4);
}

}  // namespace
