// The block reader over well-formed and damaged files: every case is read
// through an ordinary stream and through one that gives a byte at a time.
#include <gtest/gtest.h>

#include "GifReadHelpers.h"

namespace {

const TBytes FourPixels = {0, 1, 2, 3};

TGifBuilder ScreenWithGreys(std::uint16_t width = 2, std::uint16_t height = 2) {
  return std::move(TGifBuilder().Header(width, height, 0x81).ColorTable(Greys(4)));
}

TEST(GifReader, SignatureInAnyCaseAndAnyVersionReadsTheSame) {
  const TReadOutcome reference = ReadGifBothWays(SimpleGif(2, 2, FourPixels));
  ASSERT_EQ(reference.Error, "");
  EXPECT_EQ(reference.Image->Frames().Count(), 1);
  for (const char* signature : {"gif89a", "GiF87a", "GIFxyz", "gif\x01\x02\x03"}) {
    TBytes bytes = SimpleGif(2, 2, FourPixels);
    std::copy(signature, signature + 6, bytes.begin());
    const TReadOutcome outcome = ReadGifBothWays(bytes);
    EXPECT_EQ(outcome.Error, "") << signature;
    EXPECT_EQ(outcome.Json, reference.Json) << signature;
    EXPECT_TRUE(outcome.Warnings.empty()) << signature;
  }
}

TEST(GifReader, FourBytePrefixIsSkippedButNoOtherOffset) {
  const TBytes plain = SimpleGif(2, 2, FourPixels);
  TBytes prefixed = {'J', 'U', 'N', 'K'};
  prefixed.insert(prefixed.end(), plain.begin(), plain.end());
  EXPECT_EQ(ReadGifBothWays(prefixed).Json, ReadGifBothWays(plain).Json);

  // Reading starts at offset 2; "GIF" stands 5 bytes further.
  TBytes tooFar = {'X', 'X', 'J', 'U', 'N', 'K', '!'};
  tooFar.insert(tooFar.end(), plain.begin(), plain.end());
  const TReadOutcome outcome = ReadGifBothWays(tooFar, 2);
  EXPECT_EQ(outcome.Error, sBadSignature);
  EXPECT_EQ(outcome.Position, 2) << "the stream goes back to where reading began";
}

TEST(GifReader, ZeroBytesBetweenBlocksAndAMissingTrailerChangeNothing) {
  const TBytes reference = SimpleGif(2, 2, FourPixels);
  const TBytes padded = ScreenWithGreys()
                            .Raw({0, 0, 0})
                            .Image(2, 2, FourPixels, 2)
                            .Raw({0, 0})
                            .Trailer()
                            .Bytes();
  const TBytes noTrailer = ScreenWithGreys().Image(2, 2, FourPixels, 2).Bytes();
  for (const TBytes& bytes : {padded, noTrailer}) {
    const TReadOutcome outcome = ReadGifBothWays(bytes);
    EXPECT_EQ(outcome.Error, "");
    EXPECT_EQ(outcome.Json, ReadGifBothWays(reference).Json);
    EXPECT_TRUE(outcome.Warnings.empty());
    EXPECT_EQ(outcome.Position, static_cast<std::int64_t>(bytes.size()));
  }
}

TEST(GifReader, UnknownBlockTypeEndsTheDocumentWithWarnings) {
  const TBytes bytes = ScreenWithGreys().Image(2, 2, FourPixels, 2).Raw({0x99}).Image(2, 2, FourPixels, 2).Bytes();
  const std::int64_t unknownAt = static_cast<std::int64_t>(ScreenWithGreys().Image(2, 2, FourPixels, 2).Bytes().size());
  const TReadOutcome outcome = ReadGifBothWays(bytes);
  EXPECT_EQ(outcome.Error, "");
  EXPECT_EQ(outcome.Image->Frames().Count(), 1);
  // The reader leaves the stream before the strange byte, so the trailer check
  // meets the data's terminator.
  EXPECT_EQ(outcome.Warnings, (std::vector<std::string>{sBadBlockType, sBadTrailer}));
  EXPECT_EQ(outcome.Position, unknownAt);
}

TEST(GifReader, StrayByteAfterAnExtensionIsTakenAsTheDescriptor) {
  const TBytes bytes = ScreenWithGreys()
                           .GraphicControl(0, 7, 0)
                           .Raw({0x77}).Word(0).Word(0).Word(2).Word(2).Raw({0})  // separator 0x77 instead of 0x2C
                           .ImageData(2, LzwEncode(FourPixels, 2))
                           .Trailer()
                           .Bytes();
  const TReadOutcome outcome = ReadGifBothWays(bytes);
  EXPECT_EQ(outcome.Warnings, std::vector<std::string>{sBadExtensionLabel});
  ASSERT_EQ(outcome.Image->Frames().Count(), 1);
  const TGIFSubImage& frame = outcome.Image->Frames()[0];
  EXPECT_EQ(frame.Separator(), 0x77);
  EXPECT_EQ(TBytes(frame.Pixels(), frame.Pixels() + 4), FourPixels);
  EXPECT_EQ(frame.ControlBlock()->Delay(), 7);
}

TEST(GifReader, ZeroBytesAmongAFramesExtensionsReadAsIfAbsent) {
  // The transparent control block must still govern its image.
  const auto build = [](std::initializer_list<int> gap) {
    return ScreenWithGreys()
        .GraphicControl(0x01, 7, 3).Raw(gap)
        .Comment({"c"}).Raw(gap)
        .Image(2, 2, FourPixels, 2)
        .Comment({"end"}).Raw(gap)
        .Trailer()
        .Bytes();
  };
  const TReadOutcome reference = ReadGifBothWays(build({}));
  ASSERT_EQ(reference.Error, "");
  ASSERT_EQ(reference.Image->Frames().Count(), 2);
  EXPECT_EQ(reference.Image->Frames()[0].ControlBlock()->Delay(), 7);
  EXPECT_TRUE(reference.Image->Frames()[0].IsTransparent());
  for (const std::initializer_list<int> gap : {std::initializer_list<int>{0}, {0, 0, 0}}) {
    const TReadOutcome outcome = ReadGifBothWays(build(gap));
    EXPECT_EQ(outcome.Error, "");
    EXPECT_EQ(outcome.Json, reference.Json) << gap.size() << " zero bytes";
    EXPECT_TRUE(outcome.Warnings.empty());
  }
}

TEST(GifReader, ExtensionOfAnUnknownLabelIsSkippedWithAWarning) {
  const TBytes reference = ScreenWithGreys().GraphicControl(0, 9, 0).Image(2, 2, FourPixels, 2).Trailer().Bytes();
  struct TCase {
    const char* Name;
    TBytes Unknown;
  };
  const TCase cases[] = {{"no data", {0x21, 0x2A, 0}},
                         {"two sub-blocks", {0x21, 0x2A, 3, 1, 2, 3, 1, 0x21, 0}},
                         {"label 0x00 with a full sub-block", {0x21, 0x00, 2, 0x2C, 0x3B, 0}}};
  for (const TCase& c : cases) {
    const TBytes bytes =
        ScreenWithGreys().Raw(c.Unknown).GraphicControl(0, 9, 0).Raw(c.Unknown).Image(2, 2, FourPixels, 2).Trailer().Bytes();
    const TReadOutcome outcome = ReadGifBothWays(bytes);
    EXPECT_EQ(outcome.Error, "") << c.Name;
    EXPECT_EQ(outcome.Json, ReadGifBothWays(reference).Json) << c.Name;
    EXPECT_EQ(outcome.Warnings, (std::vector<std::string>{sUnknownExtension, sUnknownExtension})) << c.Name;
    EXPECT_EQ(outcome.Position, static_cast<std::int64_t>(bytes.size())) << c.Name;
  }
}

TEST(GifReader, ZeroSizedFrameTakesTheLogicalScreen) {
  const TBytes pixels = Ramp(3, 2, 4);
  const TBytes bytes = TGifBuilder()
                           .Header(3, 2, 0x81)
                           .ColorTable(Greys(4))
                           .Descriptor(0, 0, 0, 5)
                           .ImageData(2, LzwEncode(pixels, 2))
                           .Trailer()
                           .Bytes();
  const TReadOutcome outcome = ReadGifBothWays(bytes);
  EXPECT_EQ(outcome.Warnings, std::vector<std::string>{sScreenSizeExceeded});
  const TGIFSubImage& frame = outcome.Image->Frames()[0];
  EXPECT_EQ(frame.Width(), 3);
  EXPECT_EQ(frame.Height(), 2);
  EXPECT_EQ(TBytes(frame.Pixels(), frame.Pixels() + frame.PixelCount()), pixels);
}

TEST(GifReader, ExtensionsOutsideImagesAndSecondControlBlocks) {
  const TBytes bytes = ScreenWithGreys()
                           .GraphicControl(0x05, 10, 2)  // transparent 2, disposal 1
                           .GraphicControl(0x00, 99, 0)
                           .Image(2, 2, FourPixels, 2)
                           .Comment({"after", " all"})
                           .Trailer()
                           .Bytes();
  const TReadOutcome outcome = ReadGifBothWays(bytes);
  EXPECT_TRUE(outcome.Warnings.empty());
  ASSERT_EQ(outcome.Image->Frames().Count(), 2) << "the trailing comment makes a frame of its own";
  const TGIFSubImage& frame = outcome.Image->Frames()[0];
  EXPECT_EQ(frame.ExtList().Count(), 2);
  ASSERT_NE(frame.ControlBlock(), nullptr);
  EXPECT_EQ(frame.ControlBlock(), &frame.ExtList()[0]);
  EXPECT_EQ(frame.ControlBlock()->Delay(), 10);
  EXPECT_EQ(frame.ControlBlock()->Disposal(), 1);
  EXPECT_TRUE(frame.IsTransparent());
  const TGIFSubImage& tail = outcome.Image->Frames()[1];
  EXPECT_TRUE(tail.Empty());
  EXPECT_FALSE(tail.HasImageDescriptor());
  const auto& comment = dynamic_cast<const TGIFCommentExtension&>(tail.ExtList()[0]);
  EXPECT_EQ(comment.Lines(), (TGIFLines{"after", " all"}));
}

TEST(GifReader, ControlBlockCutByTheEndOfTheFileIsKeptWithAWarning) {
  const TBytes bytes = ScreenWithGreys().Image(2, 2, FourPixels, 2).Raw({0x21, 0xF9, 4, 0x01, 9}).Bytes();
  const TReadOutcome outcome = ReadGifBothWays(bytes);
  EXPECT_EQ(outcome.Error, "");
  EXPECT_EQ(outcome.Warnings, std::vector<std::string>{sOutOfData});
  ASSERT_EQ(outcome.Image->Frames().Count(), 2);
  const auto& control = dynamic_cast<const TGIFGraphicControlExtension&>(outcome.Image->Frames()[1].ExtList()[0]);
  EXPECT_TRUE(control.CutShort());
  EXPECT_EQ(control.Delay(), 9) << "the bytes that were there are kept";
  EXPECT_FALSE(outcome.Image->Frames()[1].IsTransparent()) << "a cut block does not make its frame transparent";
}

TEST(GifReader, LoopingExtensionsUnderBothNames) {
  for (const char* name : {"NETSCAPE2.0", "ANIMEXTS1.0"}) {
    const TBytes bytes = ScreenWithGreys()
                             .Application(name, {{0x09, 0x34, 0x12}, {0x02, 0x78, 0x56, 0x34, 0x12}, {0x05, 0xEE}})
                             .Image(2, 2, FourPixels, 2)
                             .Trailer()
                             .Bytes();
    const TReadOutcome outcome = ReadGifBothWays(bytes);
    EXPECT_TRUE(outcome.Warnings.empty());
    const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(&outcome.Image->Frames()[0].ExtList()[0]);
    ASSERT_NE(loop, nullptr) << name;
    EXPECT_EQ(loop->LoopCount(), 0x1234) << "id 9 counts as 1 by its low three bits";
    EXPECT_EQ(loop->BufferSize(), 0x12345678u);
    EXPECT_EQ(loop->Identifier(), MakeAppIdentifier(name));
    EXPECT_EQ(outcome.Image->Frames()[0].PixelCount(), 4) << "the image after the extension is read";
  }
}

TEST(GifReader, LoopingDataEndingWithTheFileEndsTheDocument) {
  const TBytes head = ScreenWithGreys().Raw({0x21, 0xFF, 11}).Text("NETSCAPE2.0").Bytes();
  for (const TBytes& tail : {TBytes{3}, TBytes{3, 1}, TBytes{5, 7}}) {  // size, size and id, size and other id
    TBytes bytes = head;
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    const TReadOutcome outcome = ReadGifBothWays(bytes);
    if (tail.size() == 2 && tail[1] == 1) {
      EXPECT_EQ(outcome.Error, sOutOfData) << "the loop count itself is an exact read";
      continue;
    }
    EXPECT_EQ(outcome.Error, "");
    ASSERT_EQ(outcome.Image->Frames().Count(), 1);
    EXPECT_NE(dynamic_cast<const TGIFAppExtNSLoop*>(&outcome.Image->Frames()[0].ExtList()[0]), nullptr);
  }
  // With nothing after the identifier the class cannot be settled at all.
  EXPECT_EQ(ReadGifBothWays(head).Error, sUnknownExtension);
}

TEST(GifReader, UnregisteredApplicationDataIsKeptRaw) {
  const TBytes bytes = ScreenWithGreys()
                           .Application("XMP DataXMP", {{1, 2, 3}, {4}})
                           .Raw({0x21, 0xFF, 10}).Text("ABCDEFGHIJ").Raw({2, 7, 8, 0})       // 8+2 identifier
                           .Raw({0x21, 0xFF, 13}).Text("KLMNOPQRSTUVW").Raw({1, 9, 0})      // 13-byte block
                           .Image(2, 2, FourPixels, 2)
                           .Trailer()
                           .Bytes();
  const TReadOutcome outcome = ReadGifBothWays(bytes);
  EXPECT_TRUE(outcome.Warnings.empty());
  const TGIFExtensionList& list = outcome.Image->Frames()[0].ExtList();
  ASSERT_EQ(list.Count(), 3);
  const auto* xmp = dynamic_cast<const TGIFUnknownAppExtension*>(&list[0]);
  ASSERT_NE(xmp, nullptr);
  EXPECT_EQ(xmp->Identifier(), MakeAppIdentifier("XMP DataXMP"));
  ASSERT_EQ(xmp->Blocks().size(), 2u);
  EXPECT_EQ(xmp->Blocks()[0].Data, (TBytes{1, 2, 3}));
  EXPECT_EQ(xmp->Blocks()[1].Data, (TBytes{4}));

  const auto* short10 = dynamic_cast<const TGIFUnknownAppExtension*>(&list[1]);
  ASSERT_NE(short10, nullptr);
  EXPECT_EQ(short10->Identifier(), MakeAppIdentifier("ABCDEFGHIJ\x02"))
      << "the data's first size byte is read into the identifier and given back";
  ASSERT_EQ(short10->Blocks().size(), 1u);
  EXPECT_EQ(short10->Blocks()[0].Data, (TBytes{7, 8}));

  const auto* long13 = dynamic_cast<const TGIFUnknownAppExtension*>(&list[2]);
  ASSERT_NE(long13, nullptr);
  EXPECT_EQ(long13->Identifier(), MakeAppIdentifier("KLMNOPQRSTU"));
  ASSERT_EQ(long13->Blocks().size(), 1u);
  EXPECT_EQ(long13->Blocks()[0].Data, (TBytes{9}));
  EXPECT_EQ(outcome.Image->Frames()[0].PixelCount(), 4);
}

TEST(GifReader, TextLinesEndAtTheirFirstZeroByte) {
  using namespace std::string_literals;
  const TBytes header = {12, 1, 0, 2, 0, 30, 0, 8, 0, 6, 8, 1, 0};
  const TBytes bytes = ScreenWithGreys()
                           .PlainText(header, {"Hi\0there"s, "two"})
                           .Comment({"a\0b"s})
                           .Image(2, 2, FourPixels, 2)
                           .Trailer()
                           .Bytes();
  const TReadOutcome outcome = ReadGifBothWays(bytes);
  const auto& text = dynamic_cast<const TGIFTextExtension&>(outcome.Image->Frames()[0].ExtList()[0]);
  EXPECT_EQ(text.Lines(), (TGIFLines{"Hi", "two"}));
  EXPECT_EQ(text.Left(), 1);
  EXPECT_EQ(text.Top(), 2);
  EXPECT_EQ(text.GridWidth(), 30);
  EXPECT_EQ(text.GridHeight(), 8);
  EXPECT_EQ(text.CellWidth(), 6);
  EXPECT_EQ(text.CellHeight(), 8);
  EXPECT_EQ(text.ForegroundIndex(), 1);
  const auto& comment = dynamic_cast<const TGIFCommentExtension&>(outcome.Image->Frames()[0].ExtList()[1]);
  EXPECT_EQ(comment.Lines(), TGIFLines{"a"});
}

TEST(GifReader, LocalTablesAndFramesFollowEachOther) {
  const TBytes bytes = TGifBuilder()
                           .Header(4, 3)
                           .Descriptor(1, 1, 3, 2, 0x80)  // local table of 2
                           .ColorTable({0xFF0000, 0x00FF00})
                           .ImageData(2, LzwEncode({1, 0, 1, 0, 1, 0}, 2))
                           .Descriptor(0, 0, 2, 1, 0x81)  // local table of 4
                           .ColorTable({1, 2, 3, 4})
                           .ImageData(2, LzwEncode({3, 2}, 2))
                           .Trailer()
                           .Bytes();
  const TReadOutcome outcome = ReadGifBothWays(bytes);
  EXPECT_TRUE(outcome.Warnings.empty());
  ASSERT_EQ(outcome.Image->Frames().Count(), 2);
  TGIFSubImage& first = outcome.Image->Frames()[0];
  EXPECT_EQ(first.ActiveColorMap().ColorAt(0), RGB(0xFF, 0, 0));
  EXPECT_EQ(first.BoundsItem(1), 1);
  EXPECT_EQ(TBytes(first.Pixels(), first.Pixels() + 6), (TBytes{1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(outcome.Image->Frames()[1].LocalMap().Count(), 4);
  EXPECT_EQ(outcome.Image->Frames()[1].Pixels()[0], 3);
  EXPECT_EQ(outcome.Image->GlobalColorMap().Count(), 0);
}

TEST(GifReader, LoadFileReadsAndNamesAFileItCannotOpen) {
  TGIFImage image;
  try {
    image.LoadFile("/no/such/folder/picture.gif");
    FAIL() << "no exception";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Cannot open file /no/such/folder/picture.gif");
  }
}

}  // namespace
