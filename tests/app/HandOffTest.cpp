// Between the two windows: the editor's pictures sent to the Converter's
// frame slots and into the BMX strip of its output view, for every size;
// pictures loaded back; the Converter's Save of what the editor sent; Save
// Logo; and leaving the editor.
#include <QComboBox>
#include <QTest>

#include "AppMessages.h"
#include "AppTesting.h"
#include "Bitmap.h"
#include "FileStream.h"
#include "ImageView.h"

namespace {

// The mark of frame k: one black pixel at (k, 2k).
TPoint MarkOf(int frame) { return TPoint{frame, 2 * frame}; }

std::vector<TPoint> StripMarks(std::initializer_list<int> frames, int frameHeight) {
  std::vector<TPoint> marks;
  for (int frame : frames) marks.push_back(TPoint{MarkOf(frame).X, MarkOf(frame).Y + (frame - 1) * frameHeight});
  return marks;
}

TBitmap ReadBack(const std::string& fileName) {
  TBitmap bitmap;
  bitmap.LoadFromFile(fileName);
  return bitmap;
}

std::vector<TPoint> BlackPixelsOf(const TBitmap& bitmap) {
  TPicture picture;
  picture.Assign(&bitmap);
  return BlackPixels(picture);
}

}  // namespace

class HandOff : public TAppTest {
protected:
  const TPicture& Picture() { return EditorView().Picture(); }
  // New in the size of the radio button, with the pencil's mark of the frame.
  void DrawFrame(const char* sizeButton, int frame) {
    Click(Editor, sizeButton);
    Click(Editor, "Button2");
    Click(Editor, "SpeedButton9");
    const TPoint mark = MarkOf(frame);
    Stroke({QPoint(2 * mark.X, 2 * mark.Y)});
  }
  void SendFrame(int frame) {
    static constexpr std::array<const char*, 4> Buttons{"Button3", "Button4", "Button5", "Button6"};
    Click(Editor, Buttons[frame - 1]);
  }
  const TPicture& Output() { return Converter.Image(6).Picture(); }
};

TEST_F(HandOff, Ems16FramesSentInOrderBuildThe16x64Strip) {
  ShowEditor();
  for (int frame = 1; frame <= 4; ++frame) {
    DrawFrame("RadioButton3", frame);
    SendFrame(frame);
    EXPECT_EQ(BlackPixels(Converter.Image(frame + 1).Picture()), std::vector<TPoint>{MarkOf(frame)});
  }
  EXPECT_EQ(Output().Width(), 16);
  EXPECT_EQ(Output().Height(), 64);
  EXPECT_EQ(Control<TImageView>(Converter, "Image6")->size(), QSize(16, 64));
  EXPECT_EQ(BlackPixels(Output()), StripMarks({1, 2, 3, 4}, 16));
  EXPECT_EQ(PixelsOf(Output()).size(), 16u * 64u);
  EXPECT_EQ(Converter.Document().SourceKind, "GIF File");
  EXPECT_TRUE(Enabled(Converter, "Button2"));
  EXPECT_TRUE(Enabled(Converter, "Button3"));
  EXPECT_EQ(Converter.Image(2).Width(), 145);  // the slot view keeps its size
}

TEST_F(HandOff, Ems72FramesSentOutOfOrderThroughTheMenuBuildThe72x128Strip) {
  ShowEditor();
  const std::array<std::pair<int, const char*>, 4> order{
      {{1, "SaveAsFrame11"}, {4, "SaveAsFrame41"}, {2, "SaveAsFrame21"}, {3, "SaveAsFrame31"}}};
  for (const auto& [frame, item] : order) {
    DrawFrame("RadioButton4", frame);
    Trigger(Editor, item);
  }
  EXPECT_EQ(Output().Width(), 72);
  EXPECT_EQ(Output().Height(), 128);
  EXPECT_EQ(BlackPixels(Output()), StripMarks({1, 2, 3, 4}, 32));
}

TEST_F(HandOff, LaterFrameFirstDrawsIntoAWhiteBitmapOfTheOutputViewsSize) {
  ShowEditor();
  DrawFrame("RadioButton3", 3);
  SendFrame(3);
  EXPECT_EQ(Output().Width(), 145);
  EXPECT_EQ(Output().Height(), 121);
  EXPECT_EQ(BlackPixels(Output()), StripMarks({3}, 16));
  EXPECT_EQ(Converter.Document().SourceKind, "");
  EXPECT_FALSE(Enabled(Converter, "Button2"));
  EXPECT_FALSE(Enabled(Converter, "Button3"));
}

TEST_F(HandOff, ScreenSaverFrameFillsItsSlotAndStartsThe101x256Strip) {
  ShowEditor();
  DrawFrame("RadioButton2", 1);
  SendFrame(1);
  EXPECT_EQ(PixelsOf(Converter.Image(2).Picture()), PixelsOf(Picture()));
  EXPECT_EQ(Output().Width(), 101);
  EXPECT_EQ(Output().Height(), 256);
  EXPECT_EQ(BlackPixels(Output()), StripMarks({1}, 64));
  EXPECT_EQ(Converter.Document().SourceKind, "GIF File");
  EXPECT_TRUE(Enabled(Converter, "Button2"));
}

TEST_F(HandOff, LoadsDrawTheConverterPictureIntoANewPictureOfTheCheckedSize) {
  OpenInConverter(WriteColorBmp(Temp, "input.bmp", 20, 40));
  ShowEditor();
  Trigger(Editor, "LoadFromInput1");  // colour pixels turn black
  EXPECT_EQ(Picture().Width(), 101);
  const std::vector<TPoint> black = BlackPixels(Picture());
  EXPECT_EQ(black.size(), 20u * 40u);
  EXPECT_EQ(black.back(), (TPoint{19, 39}));

  Click(Editor, "Button2");
  Click(Editor, "SpeedButton9");
  Stroke({QPoint(6, 20)});
  Stroke({QPoint(8, 100)});
  SendFrame(2);  // 101 x 64, black at (3, 10) and (4, 50)
  Click(Editor, "RadioButton1");
  Trigger(Editor, "LoadFromFrame21");
  EXPECT_EQ(Picture().Width(), 101);
  EXPECT_EQ(Picture().Height(), 46);
  EXPECT_EQ(BlackPixels(Picture()), (std::vector<TPoint>{{3, 10}}));
  Trigger(Editor, "LoadFromFram41");  // the fourth 20 x 10 frame that Open cut
  EXPECT_EQ(BlackPixels(Picture()).size(), 20u * 10u);
}

TEST_F(HandOff, ConverterSavesTheStripAsAOneBitBmpUnderThePresetName) {
  const std::string source = WriteColorBmp(Temp, "anim.bmx", 4, 8);
  OpenInConverter(source);
  ShowEditor();
  for (int frame = 1; frame <= 4; ++frame) {
    DrawFrame("RadioButton3", frame);
    SendFrame(frame);
  }
  Click(Editor, "Button1");
  const std::string target = Temp.File("strip.bmx");
  Dialogs.SaveAnswers.push_back(target);
  Click(Converter, "Button2");
  ASSERT_EQ(Dialogs.SaveRequests.size(), 1u);
  const TSaveFileRequest& request = Dialogs.SaveRequests[0];
  EXPECT_EQ(request.FileName, Temp.File("anim"));
  EXPECT_EQ(request.Filter.substr(0, 30), "BMX Anim|*.bmx|GIF Anim|*.gif|");
  EXPECT_EQ(request.FilterIndex, 1);
  EXPECT_EQ(request.DefaultExt, ".bmx");

  const std::vector<std::uint8_t> bytes = ReadWholeFile(target);
  ASSERT_EQ(bytes.size(), 318u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[28], 1);  // bits per pixel
  const TBitmap written = ReadBack(target);
  EXPECT_EQ(written.Width(), 16);
  EXPECT_EQ(written.Height(), 64);
  EXPECT_EQ(BlackPixelsOf(written), StripMarks({1, 2, 3, 4}, 16));
  EXPECT_TRUE(Dialogs.Messages.empty());
}

// Four frames of every editor size, sent in order, closing the editor, and
// Save: the strip of the four frames as a 1-bit BMX of the size's strip.
TEST_F(HandOff, EveryEditorSizeSavesItsFourFramesAsABmxStrip) {
  struct TCase {
    const char* SizeButton;
    int Width, FrameHeight;
    std::size_t FileBytes;  // 62 bytes of headers and table, then 4-byte rows
  };
  const std::array<TCase, 4> cases{{{"RadioButton2", 101, 64, 62 + 16 * 256},
                                    {"RadioButton1", 101, 46, 62 + 16 * 184},
                                    {"RadioButton4", 72, 32, 62 + 12 * 128},
                                    {"RadioButton3", 16, 16, 62 + 4 * 64}}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.SizeButton);
    ShowEditor();
    for (int frame = 1; frame <= 4; ++frame) {
      DrawFrame(c.SizeButton, frame);
      SendFrame(frame);
    }
    Click(Editor, "Button1");
    const std::string target = Temp.File(std::string(c.SizeButton) + ".bmx");
    Dialogs.SaveAnswers.push_back(target);
    Click(Converter, "Button2");
    ASSERT_TRUE(Dialogs.Messages.empty()) << Dialogs.TakeMessage().Text;
    EXPECT_EQ(Dialogs.SaveRequests.back().DefaultExt, ".bmx");
    const std::vector<std::uint8_t> bytes = ReadWholeFile(target);
    ASSERT_EQ(bytes.size(), c.FileBytes);
    EXPECT_EQ(bytes[28], 1);  // bits per pixel
    const TBitmap written = ReadBack(target);
    EXPECT_EQ(written.Width(), c.Width);
    EXPECT_EQ(written.Height(), 4 * c.FrameHeight);
    EXPECT_EQ(BlackPixelsOf(written), StripMarks({1, 2, 3, 4}, c.FrameHeight));
  }
}

TEST_F(HandOff, ConverterSaveOfAnEmptyOutputViewShowsAMessageAndLeavesTheDiskAlone) {
  ShowEditor();
  for (int frame = 1; frame <= 4; ++frame) {
    DrawFrame("RadioButton2", frame);
    SendFrame(frame);
  }
  Click(Editor, "Button1");
  Converter.Image(6).Picture().Assign(nullptr);  // the output view holds nothing
  ASSERT_TRUE(Enabled(Converter, "Button2"));
  const std::string existing = Temp.File("anim4.bmx");
  WriteWholeFile(existing, {7, 7, 7});
  for (int attempt = 0; attempt < 2; ++attempt) {
    Click(Converter, "Button2");
    const TShownMessage shown = Dialogs.TakeMessage();
    EXPECT_EQ(shown.Kind, TMessageKind::mkError);
    EXPECT_EQ(shown.Text, "Nothing to save: the picture is empty.");
    Converter.Image(6).Picture().Bitmap();  // an empty bitmap is as empty
  }
  EXPECT_TRUE(Dialogs.SaveRequests.empty());
  EXPECT_TRUE(Dialogs.ReplaceQuestions.empty());
  EXPECT_EQ(ReadWholeFile(existing), (std::vector<std::uint8_t>{7, 7, 7}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Temp.Path()), {}), 1);
  EXPECT_TRUE(Enabled(Converter, "Button2"));
}

TEST_F(HandOff, ConverterSaveWritesNothingWhenCancelledOrRefusedAndReportsWhatFails) {
  ShowEditor();
  DrawFrame("RadioButton3", 1);
  SendFrame(1);  // the output view holds a 16 x 64 strip
  Click(Editor, "Button1");
  const std::string target = Temp.File("out.bmx");
  Dialogs.SaveAnswers = {std::nullopt, target, target};
  Click(Converter, "Button2");  // cancelled
  EXPECT_FALSE(std::filesystem::exists(target));

  WriteWholeFile(target, {7, 7, 7});
  Dialogs.ReplaceAnswers = {false, true};
  Click(Converter, "Button2");
  EXPECT_EQ(ReadWholeFile(target), (std::vector<std::uint8_t>{7, 7, 7}));
  Click(Converter, "Button2");
  EXPECT_EQ(ReadWholeFile(target).size(), 318u);
  EXPECT_EQ(Dialogs.ReplaceQuestions, (std::vector<std::string>{target, target}));
  EXPECT_TRUE(Dialogs.Messages.empty());

  const std::string unwritable = Temp.File("missing-folder/out.bmx");
  Dialogs.SaveAnswers = {unwritable};
  Click(Converter, "Button2");
  const TShownMessage shown = Dialogs.TakeMessage();
  EXPECT_EQ(shown.Kind, TMessageKind::mkError);
  EXPECT_EQ(shown.Text, "Cannot create file " + unwritable + ".");
  EXPECT_TRUE(Enabled(Converter, "Button2"));
}

TEST_F(HandOff, SaveLogoAddsTheBmpExtensionOnlyWhenItIsMissing) {
  ShowEditor();
  DrawFrame("RadioButton2", 3);
  Dialogs.SaveAnswers = {Temp.File("logo"), Temp.File("SECOND.BMP"), std::nullopt};
  Click(Editor, "Button7");
  EXPECT_EQ(Dialogs.SaveRequests.back().Filter.substr(0, 19), "Logo (*.bmp)|*.bmp|");
  EXPECT_EQ(ReadWholeFile(Temp.File("logo.bmp")).size(), 1086u);
  EXPECT_EQ(BlackPixelsOf(ReadBack(Temp.File("logo.bmp"))), std::vector<TPoint>{MarkOf(3)});
  Trigger(Editor, "Save1");
  EXPECT_EQ(ReadWholeFile(Temp.File("SECOND.BMP")).size(), 1086u);
  EXPECT_FALSE(std::filesystem::exists(Temp.File("SECOND.BMP.bmp")));
  Click(Editor, "Button7");  // cancelled
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Temp.Path()), {}), 2);

  Dialogs.SaveAnswers = {Temp.File("logo.bmp")};
  Dialogs.ReplaceAnswers = {false};
  Click(Editor, "Button2");  // a white picture would replace the marked one
  Click(Editor, "Button7");
  EXPECT_EQ(BlackPixelsOf(ReadBack(Temp.File("logo.bmp"))), std::vector<TPoint>{MarkOf(3)});

  Dialogs.SaveAnswers = {Temp.File("none/logo")};
  Click(Editor, "Button7");
  EXPECT_EQ(Dialogs.TakeMessage().Text, "Cannot create file " + Temp.File("none/logo.bmp") + ".");
}

TEST_F(HandOff, ClosingTheEditorByExitOrCloseBoxEnablesTheConverterAndKeepsThePicture) {
  ShowEditor();
  EXPECT_FALSE(Converter.isEnabled());
  DrawFrame("RadioButton2", 2);
  Editor.close();  // the close box's request
  EXPECT_TRUE(Converter.isEnabled());
  EXPECT_FALSE(Editor.isVisible());
  ShowEditor();
  EXPECT_FALSE(Converter.isEnabled());
  EXPECT_EQ(BlackPixels(Picture()), std::vector<TPoint>{MarkOf(2)});
  Click(Editor, "Button1");
  EXPECT_TRUE(Converter.isEnabled());
  EXPECT_FALSE(Editor.isVisible());
}
