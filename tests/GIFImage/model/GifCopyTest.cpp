// Copying documents and frames: the copy holds the same content, owns all of
// it, and its extensions are what writing and reading them again gives.
#include <gtest/gtest.h>

#include "GifJson.h"
#include "GifReadHelpers.h"

namespace {

TBytes RichGif() {
  using namespace std::string_literals;
  return TGifBuilder()
      .Header(6, 5, 0xA1, 2, 49)  // global table of 4, colour resolution 3
      .ColorTable({0x000000, 0xFF0000, 0x00FF00, 0x0000FF})
      .Looping(7)
      .GraphicControl(0x09, 25, 3)  // transparent, disposal 2
      .Comment({"made by", " a test"})
      .Raw({0x21, 0xFF, 10}).Text("SHORTIDENT").Raw({2, 7, 8, 0})
      .Descriptor(1, 1, 4, 3, 0x80)
      .ColorTable({0x112233, 0x445566})
      .ImageData(2, LzwEncode({1, 0, 1, 0, 0, 1, 0, 1, 1, 1, 0, 0}, 2))
      .PlainText({12, 0, 0, 0, 0, 6, 0, 5, 0, 1, 1, 1, 0}, {"text"})
      .Descriptor(0, 0, 6, 5, 0x40)
      .ImageData(2, LzwEncode(Ramp(6, 5, 4), 2))
      .Comment({"trailing"})
      .Trailer()
      .Bytes();
}

TEST(GifCopy, DocumentCopyHoldsTheSameContentAndOwnsIt) {
  TReadOutcome source = ReadGifBothWays(RichGif());
  ASSERT_EQ(source.Error, "");
  ASSERT_EQ(source.Image->Frames().Count(), 3);
  source.Image->SetDrawFlags(0x1234);
  source.Image->SetReductionMethod(2);
  source.Image->SetDitherKind(1);
  source.Image->SetPainterPriority(5);
  source.Image->SetBackdropColor(clRed);
  source.Image->SetReductionDepth(4);
  source.Image->SetSpeedPercent(50);

  std::unique_ptr<TGraphic> clone = source.Image->Clone();
  auto& copy = dynamic_cast<TGIFImage&>(*clone);
  EXPECT_EQ(GifDocumentJson(copy), source.Json);
  EXPECT_EQ(copy.LogicalScreen().ScreenFlags(), 0xA1);
  EXPECT_EQ(copy.LogicalScreen().AspectRatio(), 49);
  EXPECT_EQ(copy.DrawFlags(), 0x1234);
  EXPECT_EQ(copy.ReductionMethod(), 2);
  EXPECT_EQ(copy.DitherKind(), 1);
  EXPECT_EQ(copy.PainterPriority(), 5);
  EXPECT_EQ(copy.BackdropColor(), clRed);
  EXPECT_EQ(copy.ReductionDepth(), DefaultReductionDepth) << "kept from the copy's own defaults";
  EXPECT_EQ(copy.SpeedPercent(), DefaultSpeedPercent);

  TGIFSubImage& frame = copy.Frames()[0];
  EXPECT_TRUE(frame.IsTransparent());
  ASSERT_NE(frame.ControlBlock(), nullptr);
  EXPECT_EQ(frame.ControlBlock(), &frame.ExtList()[1]) << "the copy's own control block governs it";
  EXPECT_EQ(frame.ControlBlock()->SubImage(), &frame);
  EXPECT_EQ(frame.Image(), &copy);
  EXPECT_EQ(frame.LocalMap().Capacity(), source.Image->Frames()[0].LocalMap().Capacity());

  // Changing the source leaves the copy as it was.
  const std::string before = GifDocumentJson(copy);
  source.Image->Frames()[0].Pixels()[0] = 0;
  source.Image->Frames()[0].LocalMap().AddColor(clWhite);
  source.Image->Frames()[0].ControlBlock()->SetDelay(1);
  source.Image->GlobalColorMap().Delete(0);
  dynamic_cast<TGIFCommentExtension&>(source.Image->Frames()[2].ExtList()[0]).Lines().clear();
  EXPECT_EQ(GifDocumentJson(copy), before);
}

TEST(GifCopy, AssignKeepsTheCopysOwnHandlerAndHandlesSelfAndNone) {
  TReadOutcome source = ReadGifBothWays(RichGif());
  int sourceWarnings = 0;
  int ownWarnings = 0;
  source.Image->SetWarningHandler([&sourceWarnings](TPersistent*, std::uint8_t, const std::string&) { ++sourceWarnings; });
  TGIFImage copy;
  copy.SetWarningHandler([&ownWarnings](TPersistent*, std::uint8_t, const std::string&) { ++ownWarnings; });
  copy.Assign(source.Image.get());
  copy.GlobalColorMap().ColorAt(99);
  EXPECT_EQ(ownWarnings, 1);
  EXPECT_EQ(sourceWarnings, 0);

  copy.Assign(&copy);
  EXPECT_EQ(copy.Frames().Count(), 3);
  copy.Assign(nullptr);
  EXPECT_EQ(copy.Frames().Count(), 0);
  EXPECT_EQ(copy.Width(), 0);
}

TEST(GifCopy, FrameCopiesGoThroughTheWrittenForm) {
  TReadOutcome source = ReadGifBothWays(RichGif());
  TGIFImage other;
  TGIFSubImage copy(&other);
  copy.Assign(source.Image->Frames()[0]);
  ASSERT_EQ(copy.ExtList().Count(), 4);
  // The 8+2 identifier is written with a block size of 11 and read back as such.
  const auto& app = dynamic_cast<const TGIFUnknownAppExtension&>(copy.ExtList()[3]);
  EXPECT_EQ(app.Identifier(), MakeAppIdentifier("SHORTIDENT\x02"));
  ASSERT_EQ(app.Blocks().size(), 1u);
  EXPECT_EQ(app.Blocks()[0].Data, (TBytes{7, 8}));
  EXPECT_EQ(copy.Left(), 1);
  EXPECT_EQ(copy.Width(), 4);
  EXPECT_EQ(other.Width(), 0) << "copying a frame does not touch the screen";

  // A frame of extensions only keeps them in its copy, as a saved file would.
  TGIFSubImage tail(&other);
  tail.Assign(source.Image->Frames()[2]);
  EXPECT_TRUE(tail.Empty());
  ASSERT_EQ(tail.ExtList().Count(), 1);
  EXPECT_EQ(dynamic_cast<const TGIFCommentExtension&>(tail.ExtList()[0]).Lines(), TGIFLines{"trailing"});

  copy.Assign(copy);
  EXPECT_EQ(copy.ExtList().Count(), 4);
}

}  // namespace
