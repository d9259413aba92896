// Animate: the four frame slots become a looping GIF shown in the output view
// and saved as a .gif; the hourglass while it is built; empty slots; a frame
// that fails and the state it leaves.
#include <QCursor>
#include <QGuiApplication>
#include <QTest>

#include "AppMessages.h"
#include "AppTesting.h"
#include "ColorLookup.h"
#include "GIFImage.h"
#include "TestFiles.h"

namespace {

// The cube colour a pixel is reduced to.
TColor CubeColor(TColor color) {
  TNetscapeColorLookup cube;
  const TColorMatch match = cube.MatchColor(GetRValue(color), GetGValue(color), GetBValue(color));
  return RGB(match.Red, match.Green, match.Blue);
}

// The unit-wide reduction method for the life of a test.
class TReductionDefault {
public:
  explicit TReductionDefault(std::uint8_t method) : FSaved(DefaultReductionMethod) { DefaultReductionMethod = method; }
  ~TReductionDefault() { DefaultReductionMethod = FSaved; }

private:
  std::uint8_t FSaved;
};

}  // namespace

class ConverterAnimate : public TAppTest {
protected:
  std::string InfoType() {
    Trigger(Converter, "Drei1");
    const std::string info = Dialogs.TakeMessage().Text;
    return info.substr(info.rfind(':') + 1);
  }
};

TEST_F(ConverterAnimate, StripBecomesALoopingGifInTheOutputView) {
  OpenInConverter(WriteColorBmp(Temp, "strip.bmx", 101, 256));
  // Importing a slot switches its bitmap to 24 bits, which its picture reports.
  std::vector<int> cursorsDuring;
  Converter.Image(2).Picture().OnChange = [&] {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    cursorsDuring.push_back(cursor != nullptr ? cursor->shape() : -1);
  };
  Click(Converter, "Button3");
  EXPECT_TRUE(Dialogs.Messages.empty());
  ASSERT_FALSE(cursorsDuring.empty());
  EXPECT_EQ(cursorsDuring.front(), Qt::WaitCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the cursor is back";

  EXPECT_EQ(Converter.Document().SourceKind, SKindBmxFile);
  EXPECT_EQ(InfoType(), SKindBmxFile);
  EXPECT_TRUE(Enabled(Converter, "Button2"));
  EXPECT_FALSE(Enabled(Converter, "Button3"));

  TGIFImage* built = Converter.Document().OutputGif.get();
  ASSERT_NE(built, nullptr);
  ASSERT_EQ(built->Frames().Count(), 4);
  EXPECT_EQ(built->Width(), 101);
  EXPECT_EQ(built->Height(), 64);
  TGIFSubImage& last = built->Frames()[3];
  EXPECT_EQ(last.LocalMap().ColorAt(last.PixelIndex(50, 20)), CubeColor(SourceColor(50, 3 * 64 + 20)));

  auto* shown = dynamic_cast<TGIFImage*>(Converter.Image(6).Picture().Graphic());
  ASSERT_NE(shown, nullptr);
  EXPECT_NE(shown, built) << "the view keeps its own copy";
  EXPECT_EQ(shown->Frames().Count(), 4);
  EXPECT_NE(shown->DrawFlags() & DrawOption::PaintDirect, 0) << "the built GIF paints straight onto its view";
  EXPECT_EQ(TGIFImage().DrawFlags(), DefaultDrawFlags) << "a document the window did not make keeps the default";
  // The view animates: its painter shows frame 0 through the event loop.
  const TBitmap& surface = Converter.Image(6).Surface();
  const TColor first = CubeColor(SourceColor(40, 30));
  EXPECT_TRUE(WaitUntil([&] { return surface.Image().GetPixel(40, 30) == first; }, "frame 0 in the output view"));
}

TEST_F(ConverterAnimate, EmptySlotsGiveEmptyFrames) {
  Converter.EnterStage(TConverterStage::csEditorFrames);
  Click(Converter, "Button3");
  EXPECT_TRUE(Dialogs.Messages.empty());
  TGIFImage* built = Converter.Document().OutputGif.get();
  ASSERT_NE(built, nullptr);
  ASSERT_EQ(built->Frames().Count(), 4);
  for (int k = 0; k < 4; ++k) {
    EXPECT_TRUE(built->Frames()[k].Empty()) << k;
    EXPECT_EQ(built->Frames()[k].LocalMap().Count(), 0) << k;
    EXPECT_EQ(built->Frames()[k].ExtList().Count(), k == 0 ? 2 : 1) << k;
  }
  EXPECT_EQ(built->Width(), 0);
}

TEST_F(ConverterAnimate, FailingFrameKeepsTheFramesBeforeItAndTheViews) {
  const TReductionDefault colours(0);  // frames keep their own colours, at most 256
  OpenInConverter(WriteColorBmp(Temp, "small.bmx", 4, 8));
  TPixelImage many(20, 15, 24);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) many.SetPixel(x, y, SourceColor(x, y));
  TBitmap tooManyColours;
  tooManyColours.SetImage(std::move(many), false);
  Converter.Image(3).Picture().Assign(&tooManyColours);

  Click(Converter, "Button3");
  const TShownMessage shown = Dialogs.TakeMessage();
  EXPECT_EQ(shown.Kind, TMessageKind::mkError);
  EXPECT_EQ(shown.Text, "Color table overflow.");
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  ASSERT_NE(Converter.Document().OutputGif, nullptr);
  EXPECT_EQ(Converter.Document().OutputGif->Frames().Count(), 1);
  EXPECT_EQ(Converter.Image(6).Picture().Graphic(), nullptr);
  EXPECT_FALSE(Enabled(Converter, "Button2"));
  EXPECT_TRUE(Enabled(Converter, "Button3"));
  EXPECT_EQ(Converter.Document().SourceKind, SKindBmxFile);
}

// Needs the GIF writer.
TEST_F(ConverterAnimate, SaveWritesTheSameBytesAsTheCommandLine) {
  const std::string strip = WriteColorBmp(Temp, "strip.bmx", 101, 256);
  OpenInConverter(strip);
  Click(Converter, "Button3");
  Dialogs.SaveAnswers.push_back(Temp.File("window.gif"));
  Click(Converter, "Button2");
  ASSERT_EQ(Dialogs.SaveRequests.size(), 1u);
  EXPECT_EQ(Dialogs.SaveRequests[0].FilterIndex, 2);
  EXPECT_EQ(Dialogs.SaveRequests[0].DefaultExt, ".gif");
  EXPECT_TRUE(Dialogs.Messages.empty()) << (Dialogs.Messages.empty() ? "" : Dialogs.Messages.front().Text);

  const std::string command = std::string("'") + KORVANE_CLI + "' bmx2gif '" + strip + "' '" + Temp.File("cli.gif") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadWholeFile(Temp.File("window.gif")), ReadWholeFile(Temp.File("cli.gif")));
}
