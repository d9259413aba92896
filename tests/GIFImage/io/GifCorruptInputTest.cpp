// Every fatal condition of the reader, one row each: the bytes, the message,
// how many frames stay, and the stream back where reading began.
#include <gtest/gtest.h>

#include <algorithm>

#include "GifReadHelpers.h"

namespace {

struct TCorruptCase {
  const char* Name;
  TBytes Bytes;
  const char* Message;
  int FramesKept;
};

TGifBuilder Screen() { return std::move(TGifBuilder().Header(2, 2, 0x81).ColorTable(Greys(4))); }

TGifBuilder OneFrame() { return std::move(Screen().Image(2, 2, {0, 1, 2, 3}, 2)); }

TBytes Cut(TBytes bytes, std::size_t drop) {
  bytes.resize(bytes.size() - drop);
  return bytes;
}

std::vector<TCorruptCase> Cases() {
  const TBytes circular = TCodePacker().Add(4, 3).Add(1, 3).Add(7, 3).Add(7, 3).Add(7, 4).Bytes();
  return {
      {"empty", {}, sOutOfData, 0},
      {"short signature", TGifBuilder().Text("GIF8").Bytes(), sOutOfData, 0},
      {"not a GIF", TGifBuilder().Text("\x89PNG\r\n\x1a\n....").Bytes(), sBadSignature, 0},
      {"screen descriptor cut", Cut(TGifBuilder().Header(2, 2).Bytes(), 1), sOutOfData, 0},
      {"global table cut", Cut(Screen().Bytes(), 2), sOutOfData, 0},
      {"descriptor cut", Cut(OneFrame().Descriptor(0, 0, 2, 2).Bytes(), 3), sOutOfData, 1},
      {"local table cut", Cut(OneFrame().Descriptor(0, 0, 2, 2, 0x82).ColorTable(Greys(8)).Bytes(), 5), sOutOfData, 1},
      {"unknown extension without its terminator", OneFrame().Raw({0x21, 0x99, 2, 7, 7}).Bytes(), sUnknownExtension, 1},
      {"unknown extension's sub-block cut", OneFrame().Raw({0x21, 0x99, 9, 7, 7, 0}).Bytes(), sUnknownExtension, 1},
      {"introducer at the end", OneFrame().Raw({0x21}).Bytes(), sUnknownExtension, 1},
      {"application block size 5", OneFrame().Raw({0x21, 0xFF, 5, 1, 2, 3, 4, 5, 0}).Bytes(), sBadAppExtensionSize, 1},
      {"application identifier cut", OneFrame().Raw({0x21, 0xFF, 11}).Text("NETSC").Bytes(), sOutOfData, 1},
      {"loop sub-block too short", OneFrame().Application("NETSCAPE2.0", {{1, 0}}).Bytes(), sInvalidData, 1},
      {"buffer sub-block too short", OneFrame().Application("ANIMEXTS1.0", {{2, 0, 0, 0}}).Bytes(), sInvalidData, 1},
      {"unknown application data cut", OneFrame().Raw({0x21, 0xFF, 11}).Text("ABCDEFGHIJK").Raw({9, 1, 2}).Bytes(),
       sOutOfData, 1},
      {"comment cut", OneFrame().Raw({0x21, 0xFE, 10}).Text("abc").Bytes(), sOutOfData, 1},
      {"plain text header cut", OneFrame().Raw({0x21, 0x01, 12, 0, 0, 0}).Bytes(), sOutOfData, 1},
      {"circular code table", OneFrame().Descriptor(0, 0, 2, 8).ImageData(2, circular).Bytes(), sDecodeCircular, 1},
      {"frame of 65535 by 65535", OneFrame().Descriptor(0, 0, 65535, 65535).ImageData(2, {0x4C, 0x01}).Bytes(),
       sFrameTooLarge, 1},
      {"zero-sized frame on a huge screen",
       TGifBuilder().Header(65535, 65535).Descriptor(0, 0, 0, 0).ImageData(2, {0x4C, 0x01}).Bytes(), sFrameTooLarge,
       0},
  };
}

TEST(GifCorruptInput, FailsWithItsMessageKeepingCompleteFramesAndRewinding) {
  for (const TCorruptCase& c : Cases()) {
    // Two bytes before the GIF show that the stream returns to where reading began.
    TBytes bytes(2 + c.Bytes.size(), 0xEE);
    std::copy(c.Bytes.begin(), c.Bytes.end(), bytes.begin() + 2);
    const TReadOutcome outcome = ReadGifBothWays(bytes, 2);
    EXPECT_EQ(outcome.Error, c.Message) << c.Name;
    EXPECT_EQ(outcome.Image->Frames().Count(), c.FramesKept) << c.Name;
    EXPECT_EQ(outcome.Position, 2) << c.Name;
  }
}

TEST(GifCorruptInput, DocumentPixelLimitStopsManyLargeFrames) {
  // Four frames of 8192 x 8192 fill the document's allowance; a fifth is refused.
  TGifBuilder builder;
  builder.Header(8192, 8192, 0x80).ColorTable({0, 0xFFFFFF});
  for (int i = 0; i < 5; ++i) builder.Descriptor(0, 0, 8192, 8192).ImageData(2, {0x4C, 0x01});
  const TReadOutcome outcome = ReadGif(builder.Bytes(), false, 0, false);
  EXPECT_EQ(outcome.Error, sDocumentTooLarge);
  ASSERT_EQ(outcome.Image->Frames().Count(), 4);
  EXPECT_EQ(outcome.Image->Frames()[3].PixelCount(), 8192 * 8192);
}

}  // namespace
