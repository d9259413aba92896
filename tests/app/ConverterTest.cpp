// The Converter window's own workflows: Open of BMX strips and BMPs cut into
// the four frame slots, Info, the view sizes, the failures of Open with their
// messages and the state they leave, the enabled states, keys and closing.
#include <algorithm>

#include <QAbstractButton>
#include <QCursor>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

#include "AppMessages.h"
#include "AppTesting.h"
#include "Bitmap.h"
#include "BmpBuilder.h"
#include "Canvas.h"
#include "ImageView.h"

namespace {

const std::vector<std::uint8_t> GifBytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, ';'};

}  // namespace

class ConverterOpen : public TAppTest {
protected:
  std::string Info() {
    Trigger(Converter, "Drei1");
    const TShownMessage shown = Dialogs.TakeMessage();
    EXPECT_EQ(shown.Kind, TMessageKind::mkInformation);
    return shown.Text;
  }
  void ExpectAllViewsEmpty() {
    for (int number = 1; number <= 6; ++number)
      EXPECT_EQ(Converter.Image(number).Picture().Graphic(), nullptr) << "view " << number;
  }
};

TEST_F(ConverterOpen, StripIsCutIntoFourFramesOfAQuarterOfItsHeightRoundedToEven) {
  struct TCase {
    int Width, Height, FrameHeight;
  };
  const TCase cases[] = {{101, 120, 30}, {5, 130, 32}, {5, 126, 32}, {4, 10, 2}, {4, 14, 4},
                         {4, 5, 1},      {3, 7, 2},    {3, 2, 0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE("height " + std::to_string(c.Height));
    OpenInConverter(WriteColorBmp(Temp, "strip" + std::to_string(c.Height) + ".bmx", c.Width, c.Height));
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(PixelsOf(Converter.Image(1).Picture()).size(), static_cast<std::size_t>(c.Width * c.Height));
    for (int k = 0; k < 4; ++k) {
      TImage& frame = Converter.Image(k + 2);
      EXPECT_EQ(frame.Width(), c.Width);
      EXPECT_EQ(frame.Height(), c.FrameHeight);
      EXPECT_EQ(Control<TImageView>(Converter, ("Image" + std::to_string(k + 2)).c_str())->size(),
                QSize(c.Width, c.FrameHeight));
      std::vector<TColor> expected;
      for (int y = 0; y < c.FrameHeight; ++y)
        for (int x = 0; x < c.Width; ++x) {
          const int row = k * c.FrameHeight + y;
          expected.push_back(row < c.Height ? SourceColor(x, row) : clBlack);  // below the strip: black
        }
      EXPECT_EQ(PixelsOf(frame.Picture()), expected) << "frame " << k + 1;
    }
    EXPECT_FALSE(Enabled(Converter, "Button2"));
    EXPECT_TRUE(Enabled(Converter, "Button3"));
  }
}

TEST_F(ConverterOpen, AOneBitStripGivesOneBitFramesWhileTheBusyCursorShows) {
  // 64 x 40, 1 bit, table black then white: (x, y) is white when (x + 2y) % 3 == 0.
  const int width = 64, height = 40, rowBytes = 8;
  const auto white = [](int x, int y) { return (x + 2 * y) % 3 == 0; };
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(rowBytes * height), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (white(x, y)) rows[static_cast<std::size_t>((height - 1 - y) * rowBytes + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  const std::string fileName = Temp.File("strip.bmx");
  WriteWholeFile(fileName, SimpleBmp(width, height, 1, {clBlack, clWhite}, rows));

  // What the cursor is whenever a slot view reports a change once the file
  // is being read (the slot takes the frame's size then).
  std::vector<Qt::CursorShape> during;
  TImage& slot = Converter.Image(2);
  const std::function<void(const TRect&)> report = slot.OnInvalidate;
  slot.OnInvalidate = [&](const TRect& area) {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    if (slot.Height() == 10) during.push_back(cursor != nullptr ? cursor->shape() : Qt::ArrowCursor);
    report(area);
  };
  OpenInConverter(fileName);
  slot.OnInvalidate = report;
  EXPECT_TRUE(Dialogs.Messages.empty());
  ASSERT_FALSE(during.empty());
  EXPECT_EQ(during, std::vector<Qt::CursorShape>(during.size(), Qt::WaitCursor));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  for (int k = 0; k < 4; ++k) {
    const auto* frame = dynamic_cast<const TBitmap*>(Converter.Image(k + 2).Picture().Graphic());
    ASSERT_NE(frame, nullptr);
    // A full-colour slot, still held at the strip's 1 bit per pixel.
    EXPECT_EQ(frame->PixelFormat(), TPixelFormat::pfDevice) << "frame " << k + 1;
    EXPECT_EQ(frame->Image().BitCount(), 1) << "frame " << k + 1;
    std::vector<TColor> expected;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < width; ++x) expected.push_back(white(x, k * 10 + y) ? clWhite : clBlack);
    EXPECT_EQ(PixelsOf(Converter.Image(k + 2).Picture()), expected) << "frame " << k + 1;
  }
}

TEST_F(ConverterOpen, InfoShowsSixLinesAboutTheOpenedFile) {
  const std::string fileName = WriteColorBmp(Temp, "anim.bmx", 16, 64);
  OpenInConverter(fileName);
  EXPECT_EQ(Info(), "File Information\rFilename: " + fileName +
                        "\rImage Width  :16\rImage Height :64\rImage Frames :0\rImage Typ    :BMX Anim oder BMP File");
}

TEST_F(ConverterOpen, FailuresShowTheirMessageAndLeaveClearedViewsAndDisabledCommands) {
  const std::string good = WriteColorBmp(Temp, "good.bmp", 8, 12);
  const std::string notBmp = Temp.File("notbmp.bmx");
  WriteWholeFile(notBmp, GifBytes);
  const std::string shortFile = Temp.File("short.bmp");
  WriteWholeFile(shortFile, {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0});
  const std::string missing = Temp.File("missing.bmp");
  struct TCase {
    std::string FileName;
    std::string Message;
  };
  const TCase cases[] = {{missing, "Cannot open file " + missing + "."},
                         {notBmp, "Bitmap image is not valid."},
                         {shortFile, "Stream read error."}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.FileName);
    OpenInConverter(good);
    OpenInConverter(c.FileName);
    const TShownMessage shown = Dialogs.TakeMessage();
    EXPECT_EQ(shown.Kind, TMessageKind::mkError);
    EXPECT_EQ(shown.Text, c.Message);
    ExpectAllViewsEmpty();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);  // the busy cursor went with the failure
    EXPECT_FALSE(Enabled(Converter, "Button2"));
    EXPECT_FALSE(Enabled(Converter, "Button3"));
    ASSERT_NE(Converter.Document().InputBitmap, nullptr);
    EXPECT_TRUE(Converter.Document().InputBitmap->Empty());
    // The name was taken before the failure; the size is still the last good file's.
    EXPECT_EQ(Info(), "File Information\rFilename: " + c.FileName +
                          "\rImage Width  :8\rImage Height :12\rImage Frames :0\rImage Typ    :BMX Anim oder BMP File");
  }
}

TEST_F(ConverterOpen, GifNamesInAnyLetterCaseTakeTheGifPath) {
  for (const char* name : {"anim.gif", "ANIM.GIF", "anim.Gif"}) {
    SCOPED_TRACE(name);
    OpenInConverter(WriteColorBmp(Temp, "before.bmp", 4, 8));
    const std::string fileName = Temp.File(name);
    WriteWholeFile(fileName, GifBytes);
    OpenInConverter(fileName);
    // A GIF without frames: the GIF road shows it and stops at frame 0.
    EXPECT_EQ(Dialogs.TakeMessage().Text, "List index out of bounds (0)\rThe strip needs four frames, and this GIF has none.");
    EXPECT_NE(Converter.Image(1).Picture().Graphic(), nullptr);
    EXPECT_EQ(Converter.Image(2).Picture().Graphic(), nullptr);
    EXPECT_FALSE(Enabled(Converter, "Button3"));
  }
}

TEST_F(ConverterOpen, CancelledOpenChangesNothing) {
  const std::string fileName = WriteColorBmp(Temp, "kept.bmp", 6, 8);
  OpenInConverter(fileName);
  const std::vector<TColor> frame2 = PixelsOf(Converter.Image(3).Picture());
  Dialogs.OpenAnswers.push_back(std::nullopt);
  Click(Converter, "Button1");
  EXPECT_TRUE(Dialogs.OpenAnswers.empty());
  EXPECT_TRUE(Dialogs.Messages.empty());
  EXPECT_EQ(PixelsOf(Converter.Image(3).Picture()), frame2);
  EXPECT_EQ(PixelOf(Converter.Image(1).Picture(), 5, 7), SourceColor(5, 7));
  EXPECT_TRUE(Enabled(Converter, "Button3"));
  EXPECT_NE(Info().find("Filename: " + fileName + "\r"), std::string::npos);
}

class ConverterCommands : public ConverterOpen {};

TEST_F(ConverterCommands, SizeBigFitsTheInputPictureAndSizeOrigShowsItAtItsOwnSize) {
  OpenInConverter(WriteColorBmp(Temp, "tall.bmp", 20, 40));
  TImage& input = Converter.Image(1);
  const TColor background = ColorToRGB(input.Color());
  Trigger(Converter, "SizeBig1");
  EXPECT_EQ(input.DestRect(), (TRect{0, 0, 60, 121}));
  EXPECT_EQ(input.Surface().Image().GetPixel(59, 120), SourceColor(19, 39));
  EXPECT_EQ(input.Surface().Image().GetPixel(60, 0), background);
  Trigger(Converter, "SizeOrig1");
  EXPECT_EQ(input.DestRect(), (TRect{0, 0, 20, 40}));
  EXPECT_EQ(input.Surface().Image().GetPixel(19, 39), SourceColor(19, 39));
  EXPECT_EQ(input.Surface().Image().GetPixel(20, 0), background);
  // What the user sees is the surface, 1:1.
  const QImage shown = Control<TImageView>(Converter, "Image1")->grab().toImage();
  EXPECT_EQ(shown.pixel(19, 39), qRgb(19, 39, 0x5A));
}

TEST_F(ConverterCommands, GifCommandsWithoutAGifAndAboutIsANotice) {
  OpenInConverter(WriteColorBmp(Temp, "a.bmp", 4, 8));
  // No GIF opened: Stop Anim has nothing to show still, StartAnim clears the input.
  Trigger(Converter, "Eins1");
  EXPECT_TRUE(Dialogs.Messages.empty());
  EXPECT_NE(Converter.Image(1).Picture().Graphic(), nullptr);
  Trigger(Converter, "Zwei1");
  EXPECT_TRUE(Dialogs.Messages.empty());
  EXPECT_EQ(Converter.Image(1).Picture().Graphic(), nullptr);
  Trigger(Converter, "About1");
  const TShownMessage about = Dialogs.TakeMessage();
  EXPECT_EQ(about.Kind, TMessageKind::mkInformation);
  EXPECT_EQ(std::count(about.Text.begin(), about.Text.end(), '\r'), 5);
}

TEST_F(ConverterCommands, SaveAndAnimateStartDisabledAndKeysFollowTheButtons) {
  EXPECT_FALSE(Enabled(Converter, "Button2"));
  EXPECT_FALSE(Enabled(Converter, "Button3"));
  EXPECT_TRUE(Enabled(Converter, "Button1"));
  EXPECT_TRUE(Enabled(Converter, "Button4"));
  Converter.activateWindow();
  ASSERT_TRUE(WaitForActive(Converter, "the Converter window"));
  QTest::keyClick(&Converter, Qt::Key_S, Qt::ControlModifier);  // Save is disabled: no dialog
  EXPECT_TRUE(Dialogs.SaveRequests.empty());
  Dialogs.OpenAnswers.push_back(std::nullopt);
  QTest::keyClick(&Converter, Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(Dialogs.OpenRequests.size(), 1u);
  EXPECT_EQ(Dialogs.OpenRequests[0].Filter.substr(0, 42), "Gif Image,BMX Anim, BMP|*.GIF;*.BMP;*.BMX|");
}

TEST_F(ConverterCommands, ClosingTheWindowEndsTheProgramAndReleasesTheDocument) {
  OpenInConverter(WriteColorBmp(Temp, "a.bmp", 4, 8));
  QSignalSpy closed(&Converter, &TForm1::Closed);
  Converter.close();
  EXPECT_EQ(closed.count(), 1);
  EXPECT_EQ(Converter.Document().InputBitmap, nullptr);
  EXPECT_EQ(Converter.Image(1).Picture().Graphic(), nullptr);
}

// A view as large as a big picture, in a small window: only the part that can
// be seen is painted, on a surface no larger than that part.
TEST(ImageViewPaint, OnlyTheVisiblePartOfAHugeViewIsPainted) {
  class TRecordingGraphic : public TGraphic {
  public:
    explicit TRecordingGraphic(std::vector<TRect>& surfaces) : FSurfaces(surfaces) {}
    int Width() const override { return 20000; }
    int Height() const override { return 20000; }
    bool Empty() const override { return false; }
    void Draw(TCanvas& canvas, const TRect& rect) override {
      FSurfaces.push_back(canvas.ClipRect());
      canvas.SetPixelColor(rect.Left, rect.Top, clRed);  // the picture's top-left corner
    }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TRecordingGraphic>(FSurfaces); }
    void LoadFromStream(TStream&) override {}
    void SaveToStream(TStream&) override {}

  private:
    std::vector<TRect>& FSurfaces;
  };
  QWidget window;
  window.resize(100, 80);
  auto* view = new TImageView(&window, "Huge", QRect(0, 0, 100, 80));
  std::vector<TRect> surfaces;
  view->Model().Picture().SetGraphic(std::make_unique<TRecordingGraphic>(surfaces));
  view->Model().SetSize(20000, 20000);
  EXPECT_EQ(view->size(), QSize(20000, 20000));
  window.show();
  ASSERT_TRUE(WaitForExposed(window, "the window of the huge view"));
  const QImage shown = window.grab().toImage();
  ASSERT_FALSE(surfaces.empty());
  for (const TRect& surface : surfaces) {
    EXPECT_LE(surface.Width(), 100);
    EXPECT_LE(surface.Height(), 80);
  }
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(1, 1), QColor(Qt::white));
}
