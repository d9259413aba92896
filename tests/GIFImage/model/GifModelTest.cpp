// The document model: colour tables, frame bounds, the document's size rules,
// graphic control links, the registries and the extension writers.
#include <gtest/gtest.h>

#include "GifReadHelpers.h"
#include "MemoryStream.h"
#include "RaisedBy.h"

namespace {

struct TWarnings {
  std::vector<std::string> Messages;
  std::vector<TPersistent*> Senders;
  void Attach(TGIFImage& image) {
    image.SetWarningHandler([this](TPersistent* sender, std::uint8_t, const std::string& message) {
      Senders.push_back(sender);
      Messages.push_back(message);
    });
  }
};

TBytes Written(TGIFExtension& extension) {
  TMemoryStream stream;
  WriteExtension(stream, extension);
  return stream.Bytes();
}

TEST(GifColorMap, LookupsAndTheirRules) {
  TGIFImage image;
  TWarnings warnings;
  warnings.Attach(image);
  TGIFColorMap& map = image.GlobalColorMap();
  for (TColor c : {clRed, clLime, clBlue, clWhite, clBlack, clNavy, clTeal, clWhite}) map.AddColor(c);
  EXPECT_EQ(map.IndexOfColor(clWhite), 7) << "unsorted: the last equal entry";
  map.SetSorted(true);
  EXPECT_EQ(map.IndexOfColor(clWhite), 3) << "sorted: the first equal entry";
  EXPECT_EQ(map.IndexOfColor(clYellow), -1);
  EXPECT_EQ(map.AddUniqueColor(clLime), 1);
  EXPECT_TRUE(map.IsSorted()) << "nothing was added, so the sort state stays";
  EXPECT_EQ(map.AddUniqueColor(clYellow), 8);
  EXPECT_FALSE(map.IsSorted());

  EXPECT_EQ(map.ColorAt(2), clBlue);
  EXPECT_TRUE(warnings.Messages.empty());
  EXPECT_EQ(map.ColorAt(300), clRed) << "out of range gives entry 0";
  EXPECT_EQ(map.ColorAt(-1), clRed);
  EXPECT_EQ(warnings.Messages, (std::vector<std::string>{sBadColorIndex, sBadColorIndex}));
  EXPECT_EQ(warnings.Senders[0], &map) << "the table reports its own warnings";

  map.Delete(0);
  EXPECT_EQ(map.ColorAt(0), clLime);
  EXPECT_EQ(map.Count(), 8);
  EXPECT_EQ(RaisedBy([&] { map.Delete(8); }), sBadColorIndex);
  map.Clear();
  EXPECT_EQ(RaisedBy([&] { map.ColorAt(0); }), sEmptyColorMap);
}

TEST(GifColorMap, CapacityBitsAndOverflow) {
  TGIFImage image;
  TGIFColorMap& map = image.GlobalColorMap();
  EXPECT_EQ(map.BitsPerPixel(), 0);
  const std::vector<std::pair<int, int>> bitsAt = {{1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {16, 4}, {17, 5}, {129, 8}, {256, 8}};
  const std::vector<std::pair<int, int>> capacityAt = {{1, 16}, {16, 16}, {17, 32}, {33, 64}, {250, 256}};
  for (int n = 1; n <= 256; ++n) {
    map.AddColor(n);
    for (const auto& [count, bits] : bitsAt) {
      if (count == n) {
        EXPECT_EQ(map.BitsPerPixel(), bits) << n;
      }
    }
    for (const auto& [count, capacity] : capacityAt) {
      if (count == n) {
        EXPECT_EQ(map.Capacity(), capacity) << n;
      }
    }
  }
  EXPECT_EQ(RaisedBy([&] { map.AddColor(clWhite); }), sTooManyColors);
  EXPECT_EQ(map.Count(), 256);

  TMemoryStream table(TBytes(9, 0x40));
  ReadColorTable(table, map, 3);
  EXPECT_EQ(map.Count(), 3);
  EXPECT_EQ(map.Capacity(), 16);
  TMemoryStream written;
  WriteColorTable(written, map);
  TBytes expected(9, 0x40);
  expected.resize(12, 0);
  EXPECT_EQ(written.Bytes(), expected) << "filled up to a power of two with black";

  TMemoryStream tooShort(TBytes(8, 1));
  EXPECT_EQ(RaisedBy([&] { ReadColorTable(tooShort, map, 3); }), sOutOfData);
}

TEST(GifSubImage, BoundsGrowTheScreenAndWarnOnlyWhenItHadASize) {
  TGIFImage image;
  TWarnings warnings;
  warnings.Attach(image);
  TGIFSubImage& first = image.Frames().Add(std::make_unique<TGIFSubImage>(&image));
  first.SetBounds(2, 3, 10, 5);
  EXPECT_EQ(image.Width(), 12);
  EXPECT_EQ(image.Height(), 8);
  EXPECT_TRUE(warnings.Messages.empty());
  EXPECT_EQ(first.PixelCount(), 50);
  EXPECT_EQ(first.Pixels()[49], 0);
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(first.BoundsItem(i), (std::vector<int>{0, 2, 3, 10, 5, 0})[i]);

  TGIFSubImage& second = image.Frames().Add(std::make_unique<TGIFSubImage>(&image));
  second.SetBounds(5, 0, 10, 10);
  EXPECT_EQ(image.Width(), 15);
  EXPECT_EQ(image.Height(), 10);
  EXPECT_EQ(warnings.Messages, (std::vector<std::string>{sBadWidth, sBadHeight, sScreenSizeExceeded}));

  EXPECT_EQ(RaisedBy([&] { image.SetWidth(14); }), sBadWidth);
  EXPECT_EQ(RaisedBy([&] { image.SetHeight(9); }), sBadHeight);
  int changes = 0;
  image.OnChange = [&changes](TGraphic&) { ++changes; };
  image.SetWidth(20);
  image.SetWidth(20);
  EXPECT_EQ(changes, 1) << "only a new value signals a change";
  EXPECT_EQ(RaisedBy([&] { second.SetBounds(65000, 0, 1000, 1); }), sScreenSizeExceeded);
}

TEST(GifSubImage, ActiveColorMapEmptinessAndClear) {
  TGIFImage image;
  TGIFSubImage& frame = image.Frames().Add(std::make_unique<TGIFSubImage>(&image));
  EXPECT_EQ(&frame.ActiveColorMap(), &frame.LocalMap());
  image.GlobalColorMap().AddColor(clRed);
  EXPECT_EQ(&frame.ActiveColorMap(), &image.GlobalColorMap());
  frame.LocalMap().AddColor(clBlue);
  EXPECT_EQ(&frame.ActiveColorMap(), &frame.LocalMap());

  EXPECT_TRUE(frame.Empty());
  frame.SetBounds(0, 0, 4, 0);
  EXPECT_TRUE(frame.Empty());
  frame.SetBounds(0, 0, 4, 2);
  EXPECT_FALSE(frame.Empty());
  frame.ExtList().Add(std::make_unique<TGIFCommentExtension>(&frame));
  EXPECT_EQ(frame.Version(), 2);
  frame.Clear();
  EXPECT_TRUE(frame.Empty());
  EXPECT_EQ(frame.ExtList().Count(), 0);
  EXPECT_EQ(frame.LocalMap().Count(), 0);
  EXPECT_EQ(frame.Version(), 1);
}

TEST(GifGraphicControl, GovernsItsFrameAndDetachesWhenFreed) {
  TGIFImage image;
  TWarnings warnings;
  warnings.Attach(image);
  TGIFSubImage& frame = image.Frames().Add(std::make_unique<TGIFSubImage>(&image));
  auto& first = dynamic_cast<TGIFGraphicControlExtension&>(
      frame.ExtList().Add(std::make_unique<TGIFGraphicControlExtension>(&frame)));
  auto& second = dynamic_cast<TGIFGraphicControlExtension&>(
      frame.ExtList().Add(std::make_unique<TGIFGraphicControlExtension>(&frame)));
  EXPECT_EQ(frame.ControlBlock(), &first);
  second.SetTransparent(true);
  EXPECT_TRUE(frame.IsTransparent());
  second.SetTransparent(false);
  EXPECT_FALSE(frame.IsTransparent());
  first.SetTransparent(true);

  frame.LocalMap().AddColor(clRed);
  frame.LocalMap().AddColor(clBlue);
  first.SetTransparentIndex(1);
  EXPECT_EQ(first.TransparentIndex(), 1);
  first.SetTransparentIndex(2);
  EXPECT_EQ(first.TransparentIndex(), 0) << "beyond the active table";
  EXPECT_EQ(warnings.Messages, std::vector<std::string>{sBadColorIndex});

  first.SetDisposal(3);
  first.SetUserInput(true);
  first.SetDelay(0x1234);
  EXPECT_EQ(Written(first), (TBytes{0x21, 0xF9, 4, 0x01 | 0x02 | (3 << 2), 0x34, 0x12, 0, 0}));

  frame.ExtList().Delete(0);
  EXPECT_EQ(frame.ControlBlock(), nullptr);
  EXPECT_FALSE(frame.IsTransparent());
}

TEST(GifExtensionWriters, BlocksAsTheyAreWrittenAndReadBack) {
  TGIFImage image;
  TGIFSubImage& frame = image.Frames().Add(std::make_unique<TGIFSubImage>(&image));
  TGIFCommentExtension comment(&frame);
  comment.Lines() = {std::string(300, 'c'), "", "end"};
  TBytes expected = {0x21, 0xFE, 255};
  expected.insert(expected.end(), 255, 'c');
  expected.push_back(45);
  expected.insert(expected.end(), 45, 'c');
  expected.insert(expected.end(), {3, 'e', 'n', 'd', 0});
  EXPECT_EQ(Written(comment), expected);

  TGIFTextExtension text(&frame);
  text.SetGrid(1, 2, 3, 4);
  text.SetCell(5, 6);
  text.SetColors(7, 8);
  text.Lines() = {"hi"};
  EXPECT_EQ(Written(text), (TBytes{0x21, 0x01, 12, 1, 0, 2, 0, 3, 0, 4, 0, 5, 6, 7, 8, 2, 'h', 'i', 0}));

  TGIFAppExtNSLoop loop(&frame);
  loop.SetLoopCount(3);
  TBytes loopBytes = {0x21, 0xFF, 11};
  for (char c : std::string("NETSCAPE2.0")) loopBytes.push_back(static_cast<std::uint8_t>(c));
  loopBytes.insert(loopBytes.end(), {3, 1, 3, 0, 0});
  EXPECT_EQ(Written(loop), loopBytes);
  loop.SetBufferSize(0x01020304);
  loopBytes.insert(loopBytes.end() - 1, {5, 2, 4, 3, 2, 1});
  EXPECT_EQ(Written(loop), loopBytes);

  TGIFUnknownAppExtension unknown(&frame);
  unknown.SetIdentifier(MakeAppIdentifier("ABCDEFGH123"));
  unknown.Blocks().push_back({{9, 8}});
  TBytes unknownBytes = {0x21, 0xFF, 11};
  for (char c : std::string("ABCDEFGH123")) unknownBytes.push_back(static_cast<std::uint8_t>(c));
  unknownBytes.insert(unknownBytes.end(), {2, 9, 8, 0});
  EXPECT_EQ(Written(unknown), unknownBytes);

  // Read back, the comment's long line comes as two lines and the empty one is gone.
  TMemoryStream stream(expected);
  TGIFCommentExtension back(&frame);
  ReadExtension(stream, back);
  EXPECT_EQ(back.Lines(), (TGIFLines{std::string(255, 'c'), std::string(45, 'c'), "end"}));
}

TEST(GifExtensionWriters, ReadingChecksIntroducerAndLabel) {
  TGIFImage image;
  TGIFSubImage frame(&image);
  TGIFCommentExtension comment(&frame);
  TMemoryStream wrongIntroducer(TBytes{0x2C, 0xFE, 0});
  EXPECT_EQ(RaisedBy([&] { ReadExtension(wrongIntroducer, comment); }), sBadExtensionLabel);
  TMemoryStream wrongLabel(TBytes{0x21, 0xF9, 0});
  EXPECT_EQ(RaisedBy([&] { ReadExtension(wrongLabel, comment); }), sBadExtensionInstance);
}

// A custom extension class, registered under a label and an identifier.
class TTestExtension : public TGIFUnknownAppExtension {
public:
  static const TGIFExtensionClass ClassInfo;
  using TGIFUnknownAppExtension::TGIFUnknownAppExtension;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }
};
const TGIFExtensionClass TTestExtension::ClassInfo = {"TTestExtension", 0xFF, CreateExtension<TTestExtension>,
                                                      TGIFApplicationExtension::RefineApplicationClass};

TEST(GifRegistries, SearchedFromTheLastEntryAndUsedByTheReader) {
  EXPECT_EQ(ExtensionList().Find(0x01), &TGIFTextExtension::ClassInfo);
  EXPECT_EQ(ExtensionList().Find(0xF9), &TGIFGraphicControlExtension::ClassInfo);
  EXPECT_EQ(ExtensionList().Find(0xFE), &TGIFCommentExtension::ClassInfo);
  EXPECT_EQ(ExtensionList().Find(0xFF), &TGIFApplicationExtension::ClassInfo);
  EXPECT_EQ(ExtensionList().Find(0x02), nullptr);
  EXPECT_EQ(AppExtensionList().Find(MakeAppIdentifier("NETSCAPE2.0")), &TGIFAppExtNSLoop::ClassInfo);
  EXPECT_EQ(AppExtensionList().Find(MakeAppIdentifier("netscape2.0")), nullptr) << "identifiers are case-sensitive";

  AppExtensionList().Add(MakeAppIdentifier("KORVANETEST"), TTestExtension::ClassInfo);
  AppExtensionList().Add(MakeAppIdentifier("KORVANETEST"), TGIFAppExtNSLoop::ClassInfo);
  AppExtensionList().Add(MakeAppIdentifier("KORVANETEST"), TTestExtension::ClassInfo);
  const TBytes bytes = TGifBuilder()
                           .Header(1, 1)
                           .Application("KORVANETEST", {{5, 6}})
                           .Application("NETSCAPE2.0", {{1, 4, 0}})
                           .Trailer()
                           .Bytes();
  const TReadOutcome outcome = ReadGifBothWays(bytes);
  ASSERT_EQ(outcome.Image->Frames().Count(), 1);
  const TGIFExtensionList& list = outcome.Image->Frames()[0].ExtList();
  ASSERT_EQ(list.Count(), 2);
  ASSERT_NE(dynamic_cast<const TTestExtension*>(&list[0]), nullptr) << "the last registration wins";
  EXPECT_EQ(dynamic_cast<const TTestExtension&>(list[0]).Blocks()[0].Data, (TBytes{5, 6}));
  EXPECT_NE(dynamic_cast<const TGIFAppExtNSLoop*>(&list[1]), nullptr);
}

TEST(GifDocument, HeaderWriterAndDefaults) {
  TGIFImage image;
  EXPECT_EQ(image.LogicalScreen().ScreenFlags(), 0x77) << "no colours at all";
  EXPECT_EQ(image.DrawFlags(), DefaultDrawFlags);
  EXPECT_EQ(image.DrawFlags(), 0x060F);
  EXPECT_EQ(image.ReductionMethod(), 6);
  EXPECT_EQ(image.ReductionDepth(), 8);
  EXPECT_EQ(image.PainterPriority(), 3);
  EXPECT_EQ(image.SpeedPercent(), 100);
  EXPECT_EQ(image.BackdropColor(), clNone);

  TMemoryStream nothing;
  EXPECT_EQ(RaisedBy([&] { WriteHeader(nothing, image.LogicalScreen()); }), sBadVersion);
  EXPECT_EQ(nothing.Size(), 0);

  TGIFSubImage& frame = image.Frames().Add(std::make_unique<TGIFSubImage>(&image));
  frame.SetBounds(0, 0, 3, 1);
  for (int i = 0; i < 3; ++i) image.GlobalColorMap().AddColor(i);
  for (int i = 0; i < 129; ++i) frame.LocalMap().AddColor(i);
  image.LogicalScreen().SetBackgroundIndex(2);
  image.LogicalScreen().SetAspectRatio(49);
  TMemoryStream header;
  WriteHeader(header, image.LogicalScreen());
  // The size bits announce the global table as written, not the larger local one.
  TBytes expected = {'G', 'I', 'F', '8', '7', 'a', 3, 0, 1, 0, 0x80 | 0x70 | 0x01, 2, 49};
  for (int i = 0; i < 3; ++i) expected.insert(expected.end(), {static_cast<std::uint8_t>(i), 0, 0});
  expected.insert(expected.end(), 3, 0);
  EXPECT_EQ(header.Bytes(), expected);

  frame.ExtList().Add(std::make_unique<TGIFCommentExtension>(&frame));
  TMemoryStream version89;
  WriteHeader(version89, image.LogicalScreen());
  EXPECT_EQ(std::string(version89.Bytes().begin(), version89.Bytes().begin() + 6), "GIF89a");

  TMemoryStream out;
  image.SaveToStream(out);
  EXPECT_EQ(out.Bytes().back(), 0x3B) << "the whole document is written";
}

}  // namespace
