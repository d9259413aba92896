// The Converter's strip options: the panel is found from the window, every
// choice converts the opened GIF again at once into what Save then writes,
// Defaults brings the plain strip back, a new window remembers the choices,
// a short GIF is refused with what would take it, notes say which frames
// were used or that the strip is of one colour, the preview plays the bands
// at their frames' delays, and the output view takes the size of its strip.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

#include <set>

#include "AnimationOptionsBox.h"
#include "AppMessages.h"
#include "AppSettings.h"
#include "AppTesting.h"
#include "GifRenderHelpers.h"
#include "GifToStrip.h"
#include "ImageView.h"
#include "StripOptionsPanel.h"
#include "StripPreview.h"
#include "StripToGif.h"

namespace {

// White, black, grey and a dark red: something for every black-and-white method.
const std::vector<std::uint32_t> Palette{0xFFFFFF, 0x000000, 0x808080, 0xC03030};

// Frame k of a test animation: a black column at x = k over a pattern, so
// that every band tells which frame it holds; or one colour throughout.
TBytes FrameIndices(int k, int width, int height, int oneColour) {
  TBytes indices;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      indices.push_back(static_cast<std::uint8_t>(
          oneColour >= 0 ? oneColour : x == k ? 1 : (x + y) % 3 == 0 ? 2 : y < 3 ? 3 : 0));
  return indices;
}

// A GIF of frames with these delays (-1: a frame without a control block).
TBytes Animation(int width, int height, const std::vector<int>& delays, int oneColour = -1) {
  TGifBuilder gif;
  gif.Header(static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0x81).ColorTable(Palette);
  for (std::size_t k = 0; k < delays.size(); ++k) {
    if (delays[k] >= 0) gif.GraphicControl(0, static_cast<std::uint16_t>(delays[k]), 0);
    gif.Descriptor(0, 0, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height));
    gif.ImageData(8, LzwEncode(FrameIndices(static_cast<int>(k), width, height, oneColour), 8));
  }
  return gif.Trailer().Bytes();
}

std::vector<int> Delays(int frames) { return std::vector<int>(static_cast<std::size_t>(frames), 10); }

// One step of the user's in the panel: a click on a radio button or check
// box (no value), an item of a combo box by its name, or a number.
struct TStep {
  const char* Control;
  const char* Value = nullptr;
};

}  // namespace

class StripChoices : public TAppTest {
protected:
  TStripOptionsPanel& Panel() { return *Control<TStripOptionsPanel>(Converter, "StripOptionsPanel"); }
  QLabel& Note() { return *Control<QLabel>(Converter, "StripNote"); }

  std::string OpenGif(const std::string& name, const TBytes& bytes) {
    FGifBytes = bytes;
    const std::string fileName = Temp.File(name);
    WriteWholeFile(fileName, bytes);
    OpenInConverter(fileName);
    return fileName;
  }
  void Apply(const std::vector<TStep>& steps) {
    for (const TStep& step : steps) {
      if (auto* combo = Panel().findChild<QComboBox*>(step.Control)) {
        const int index = combo->findData(QString::fromLatin1(step.Value));
        ASSERT_GE(index, 0) << step.Value;
        combo->setCurrentIndex(index);
      } else if (auto* spin = Panel().findChild<QSpinBox*>(step.Control)) {
        spin->setValue(std::stoi(step.Value));
      } else {
        Click(Panel(), step.Control);
      }
    }
  }
  // The conversion of the opened GIF's bytes, read anew, by the options.
  StripConversion Expected(const StripOptions& options) {
    FReference = LoadGif(FGifBytes);
    return GifToStrip(*FReference, options);
  }
  // The output view, the four slots and Save give the strip and bands of that conversion.
  void ExpectShownAndSaved(const StripOptions& options, const std::string& name) {
    const StripConversion expected = Expected(options);
    TPicture reference;
    reference.Assign(expected.Strip.get());
    EXPECT_EQ(PixelsOf(Converter.Image(6).Picture()), PixelsOf(reference));
    for (int k = 0; k < 4; ++k) {
      reference.Assign(expected.Band(k).get());
      EXPECT_EQ(PixelsOf(Converter.Image(k + 2).Picture()), PixelsOf(reference)) << "slot " << k + 1;
    }
    expected.Strip->SaveToFile(Temp.File(name + ".expected"));
    Dialogs.SaveAnswers.push_back(Temp.File(name + ".bmx"));
    Click(Converter, "Button2");
    EXPECT_EQ(ReadWholeFile(Temp.File(name + ".bmx")), ReadWholeFile(Temp.File(name + ".expected")));
  }

  TBytes FGifBytes;
  std::unique_ptr<TGIFImage> FReference;
};

TEST_F(StripChoices, TheButtonAndTheContextMenuItemOpenTheSameNonModalPanel) {
  EXPECT_FALSE(Control<QWidget>(Converter, "StripOptionsButton")->toolTip().isEmpty());
  for (const bool fromMenu : {false, true}) {
    SCOPED_TRACE(fromMenu ? "context menu" : "button");
    Panel().hide();
    if (fromMenu)
      Trigger(Converter, "StripOptions1");
    else
      Click(Converter, "StripOptionsButton");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Panel())) << "the panel did not show";
    EXPECT_FALSE(Panel().isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The window goes on taking commands while the panel is open.
    Trigger(Converter, "Drei1");
    EXPECT_EQ(Dialogs.TakeMessage().Kind, TMessageKind::mkInformation);
  }
}

TEST_F(StripChoices, EachChoiceConvertsTheOpenedGifAgainIntoWhatSaveWritesAndANewWindowRemembersIt) {
  struct TCase {
    const char* Name;
    std::vector<TStep> Steps;
    StripOptions Options;
  };
  const TCase cases[] = {
      {"spread", {{"SpreadRadio"}}, {.Frames = FrameChoice::Spread}},
      {"numbers",
       {{"ListRadio"}, {"FrameNumber1", "2"}, {"FrameNumber2", "5"}, {"FrameNumber3", "9"}, {"FrameNumber4", "13"}},
       {.Frames = FrameChoice::List, .FrameList = {1, 4, 8, 12}}},
      {"stored", {{"AsStoredRadio"}}, {.AsStored = true}},
      {"repeat", {{"ShortGifCombo", "repeat"}}, {.ShortGif = ShortGifRule::Repeat}},
      {"ems72-fill", {{"SizeCombo", "ems72"}, {"FitCombo", "fill"}},
       {.TargetWidth = 72, .TargetHeight = 32, .Fit = Fitting::Fill}},
      {"custom-stretch",
       {{"SizeCombo", "custom"}, {"TargetWidth", "30"}, {"TargetHeight", "20"}, {"FitCombo", "stretch"}},
       {.TargetWidth = 30, .TargetHeight = 20, .Fit = Fitting::Stretch}},
      {"threshold", {{"MonoCombo", "threshold"}, {"ThresholdLevel", "200"}},
       {.Mono = MonoMethod::Threshold, .Threshold = 200}},
      {"floyd-invert", {{"MonoCombo", "floyd"}, {"InvertCheck"}}, {.Mono = MonoMethod::FloydSteinberg, .Invert = true}},
      {"atkinson-logo", {{"MonoCombo", "atkinson"}, {"SizeCombo", "logo"}},
       {.TargetWidth = 101, .TargetHeight = 46, .Mono = MonoMethod::Atkinson}},
      {"ordered4-screensaver", {{"MonoCombo", "ordered4"}, {"SizeCombo", "screensaver"}},
       {.TargetWidth = 101, .TargetHeight = 64, .Mono = MonoMethod::Ordered4x4}},
      {"ordered8-ems16", {{"MonoCombo", "ordered8"}, {"SizeCombo", "ems16"}},
       {.TargetWidth = 16, .TargetHeight = 16, .Mono = MonoMethod::Ordered8x8}},
  };
  OpenGif("long.gif", Animation(16, 10, Delays(15)));
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Click(Panel(), "DefaultsButton");
    Apply(c.Steps);
    EXPECT_EQ(Converter.Document().StripChoices, c.Options);
    EXPECT_TRUE(Enabled(Converter, "Button2"));
    ExpectShownAndSaved(c.Options, c.Name);
    EXPECT_EQ(Converter.Document().StripNotes, Expected(c.Options).Notes);

    TFakeDialogs dialogs;
    TForm1 next(dialogs);
    EXPECT_EQ(next.Document().StripChoices, c.Options);
    EXPECT_EQ(Control<TStripOptionsPanel>(next, "StripOptionsPanel")->Options(), c.Options);
  }
}

TEST_F(StripChoices, DefaultsBringBackThePlainStripAndGifAndAreRemembered) {
  OpenGif("long.gif", Animation(16, 10, Delays(15)));
  Apply({{"SpreadRadio"}, {"AsStoredRadio"}, {"SizeCombo", "ems16"}, {"MonoCombo", "floyd"}, {"InvertCheck"},
         {"DelayBox", "12"}, {"OptimiseBox"}});
  ASSERT_NE(Converter.Document().StripChoices, StripOptions{});
  const AnimationOptions changed{.Delay = 12, .Optimise = true};
  ASSERT_EQ(Converter.AnimationChoices(), changed);
  QSettings settings;
  EXPECT_EQ(TAnimationOptionsBox().Load(settings), changed) << "the GIF-out choices are remembered at once";
  Click(Panel(), "DefaultsButton");
  EXPECT_EQ(Converter.Document().StripChoices, StripOptions{});
  EXPECT_EQ(Converter.AnimationChoices(), AnimationOptions{});
  EXPECT_EQ(Panel().Options(), StripOptions{});
  EXPECT_EQ(RememberedStripOptions(), StripOptions{});
  ExpectShownAndSaved(StripOptions{}, "defaults");
}

TEST_F(StripChoices, AStoredChoiceThatDoesNotReadIsTheDefaultAndTheOthersStay) {
  struct TCase {
    const char* Key;
    const char* Stored;
  };
  const TCase cases[] = {{"frames", "1,2"}, {"size", "0x5"}, {"mono", "threshold=300"}, {"invert", "maybe"},
                         {"short", "sometimes"}, {"fit", ""}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Key);
    QSettings().clear();
    RememberStripOptions({.ShortGif = ShortGifRule::Repeat, .Fit = Fitting::Fill, .Invert = true});
    QSettings().setValue(QStringLiteral("Strip/") + QString::fromLatin1(c.Key), QString::fromLatin1(c.Stored));
    StripOptions expected{.ShortGif = ShortGifRule::Repeat, .Fit = Fitting::Fill, .Invert = true};
    const std::string key = c.Key;
    if (key == "short") expected.ShortGif = ShortGifRule::Refuse;
    if (key == "fit") expected.Fit = Fitting::Fit;
    if (key == "invert") expected.Invert = false;
    TFakeDialogs dialogs;
    TForm1 window(dialogs);
    EXPECT_EQ(window.Document().StripChoices, expected);
  }
}

TEST_F(StripChoices, AShortGifIsRefusedWithWhatWouldTakeItAndRepeatThenTakesIt) {
  struct TCase {
    int Frames;
    std::string Note;
  };
  const TCase cases[] = {{1, "Strip: frames 1, 1, 1 and 1 of 1."},
                         {2, "Strip: frames 1, 2, 1 and 2 of 2."},
                         {3, "Strip: frames 1, 2, 3 and 1 of 3."}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Frames) + " frames");
    Click(Panel(), "DefaultsButton");
    const std::string fileName = OpenGif("short.gif", Animation(8, 6, Delays(c.Frames)));
    const TShownMessage shown = Dialogs.TakeMessage();
    EXPECT_EQ(shown.Kind, TMessageKind::mkError);
    EXPECT_EQ(shown.Text, "List index out of bounds (" + std::to_string(c.Frames) + ")\r" + SShortGifHint);
    EXPECT_EQ(Converter.Image(6).Picture().Graphic(), nullptr);
    EXPECT_FALSE(Enabled(Converter, "Button2"));

    Apply({{"ShortGifCombo", "repeat"}});
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_TRUE(Enabled(Converter, "Button2"));
    ExpectShownAndSaved({.ShortGif = ShortGifRule::Repeat}, "repeat" + std::to_string(c.Frames));
    EXPECT_EQ(Note().text().toStdString(), c.Note);
    Trigger(Converter, "Drei1");
    EXPECT_EQ(Dialogs.TakeMessage().Text, "File Information\rFilename: " + fileName +
                                              "\rImage Width  :8\rImage Height :6\rImage Frames :" +
                                              std::to_string(c.Frames) + "\rImage Typ    :GIF File\rStrip        :" +
                                              c.Note.substr(7, c.Note.size() - 8));

    // Refused again: no strip to save, and the reason beside the output view.
    Apply({{"ShortGifCombo", "refuse"}});
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(Converter.Image(6).Picture().Graphic(), nullptr);
    EXPECT_FALSE(Enabled(Converter, "Button2"));
    EXPECT_EQ(Note().text().toStdString(),
              "List index out of bounds (" + std::to_string(c.Frames) + ")\n" + SShortGifHint);
  }
}

TEST_F(StripChoices, TheNoteBesideTheOutputSaysWhichFramesWereUsedAndWhatToTryForAStripOfOneColour) {
  struct TCase {
    const char* Name;
    int Frames;
    int OneColour;  // the index every pixel takes, or -1 for the pattern
    std::string Note;  // empty: no note shown
  };
  const TCase cases[] = {
      {"pattern", 4, -1, ""},
      {"long", 15, -1, "Strip: frames 1 to 4 of 15."},
      {"black", 4, 1, std::string("Strip: the strip is all black.\n") + SOneColourHint},
      {"white", 6, 0, std::string("Strip: frames 1 to 4 of 6; the strip is all white.\n") + SOneColourHint},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    OpenGif(std::string(c.Name) + ".gif", Animation(12, 8, Delays(c.Frames), c.OneColour));
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(Note().isVisibleTo(&Converter), !c.Note.empty());
    EXPECT_EQ(Note().text().toStdString(), c.Note);
  }
  // A bitmap opened next takes the note away.
  OpenInConverter(WriteColorBmp(Temp, "next.bmp", 8, 12));
  EXPECT_FALSE(Note().isVisibleTo(&Converter));
}

TEST_F(StripChoices, ThePreviewPlaysTheFourBandsEachForItsFramesDelay) {
  // Frames without a delay, and with delays too short, take the input view's rule.
  OpenGif("delays.gif", Animation(10, 6, {-1, 0, 1, 25, 7, 2, 40, 12}));
  TStripPreview& preview = Panel().Preview();
  EXPECT_EQ(preview.DelaysMs(), (std::vector<int>{100, 100, 30, 250}));
  Apply({{"SpreadRadio"}});  // frames 0, 2, 4 and 6
  EXPECT_EQ(preview.DelaysMs(), (std::vector<int>{100, 30, 70, 400}));
  Apply({{"ListRadio"}, {"FrameNumber1", "8"}, {"FrameNumber2", "6"}, {"FrameNumber3", "4"}, {"FrameNumber4", "1"}});
  EXPECT_EQ(preview.DelaysMs(), (std::vector<int>{120, 30, 250, 100}));

  Click(Converter, "StripOptionsButton");
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Panel())) << "the panel did not show";
  const std::array<TBitmap, 4> bands = CutStrip(*Converter.Document().StripBitmap);
  std::set<int> seen;
  const bool all = QTest::qWaitFor(
      [&] {
        const int shown = preview.ShownFrame();
        if (shown < 0) return false;
        TPicture band;
        band.Assign(&bands[static_cast<std::size_t>(shown)]);
        EXPECT_EQ(PixelsOf(preview.View().Picture()), PixelsOf(band)) << "frame " << shown;
        seen.insert(shown);
        return seen.size() == 4;
      },
      10000);
  EXPECT_TRUE(all) << "the preview did not show all four frames within 10 s; it showed " << seen.size();
}

TEST_F(StripChoices, TheOutputViewTakesTheSizeOfANewStripAndScrollsToShowItWhole) {
  // The editor's four 72 x 32 EMS frames make a 72 x 128 strip first.
  ShowEditor();
  Click(Editor, "RadioButton4");
  Click(Editor, "Button2");
  for (const char* send : {"Button3", "Button4", "Button5", "Button6"}) Click(Editor, send);
  Click(Editor, "Button1");
  ASSERT_EQ(Converter.Image(6).Width(), 72);

  OpenGif("screen.gif", Animation(101, 64, Delays(4)));
  TImage& output = Converter.Image(6);
  ASSERT_EQ(output.Width(), 101);
  ASSERT_EQ(output.Height(), 256);
  EXPECT_EQ(PixelsOf(output.Picture()).size(), 101u * 256u);
  // What the view shows is the whole strip, its last column and row included.
  const TBitmap& surface = output.Surface();
  EXPECT_EQ(surface.Image().GetPixel(100, 255), PixelOf(output.Picture(), 100, 255));
  auto* scroll = Control<QScrollArea>(Converter, "OutputScroll");
  EXPECT_EQ(scroll->widget()->size(), QSize(101, 256));
  EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
}
