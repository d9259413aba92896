// The GIF-out choices: the group box announces each change the user makes
// with the whole of the new choices, shows choices given to it without
// announcing them, and remembers them in QSettings by their text names; and
// Animate builds its GIF by the window's choices, the same file as
// korvane-cli bmx2gif with the same options.
#include <QCheckBox>
#include <QComboBox>
#include <QSettings>
#include <QSpinBox>

#include <functional>

#include "AnimationOptionsBox.h"
#include "AppTesting.h"

namespace {

// The settings file of one test, apart from the program's own.
QSettings SettingsIn(const TTempDir& temp) {
  return QSettings(QString::fromStdString(temp.File("choices.ini")), QSettings::IniFormat);
}

}  // namespace

class AnimationOptionsBoxTest : public TAppTest {
protected:
  AnimationOptionsBoxTest() {
    QObject::connect(&Box, &TAnimationOptionsBox::OptionsChanged,
                     [this](const AnimationOptions& options) { Announced.push_back(options); });
  }
  TAnimationOptionsBox Box;
  std::vector<AnimationOptions> Announced;
  template <class T>
  T* Field(const char* name) {
    return Control<T>(Box, name);
  }
};

TEST_F(AnimationOptionsBoxTest, EachChangeAnnouncesTheWholeChoices) {
  EXPECT_EQ(Box.Options(), AnimationOptions{});
  struct TStep {
    const char* What;
    std::function<void()> Change;
    AnimationOptions After;
  };
  const std::vector<TStep> steps{
      {"delay", [&] { Field<QSpinBox>("DelayBox")->setValue(5); }, {.Delay = 5}},
      {"loop count", [&] { Field<QSpinBox>("LoopCountBox")->setValue(2); }, {.Delay = 5, .LoopCount = 2}},
      {"palette", [&] { Field<QComboBox>("PaletteBox")->setCurrentIndex(1); },
       {.Delay = 5, .LoopCount = 2, .Palette = GifPalette::Compact}},
      {"optimise", [&] { Field<QCheckBox>("OptimiseBox")->click(); },
       {.Delay = 5, .LoopCount = 2, .Palette = GifPalette::Compact, .Optimise = true}},
  };
  for (const TStep& step : steps) {
    SCOPED_TRACE(step.What);
    Announced.clear();
    step.Change();
    EXPECT_EQ(Announced, std::vector<AnimationOptions>{step.After});
    EXPECT_EQ(Box.Options(), step.After);
  }
}

// Choices set or loaded are shown without being announced.
TEST_F(AnimationOptionsBoxTest, SettingsKeepTheChoicesByNameAndUnreadableOnesGiveTheDefault) {
  const AnimationOptions chosen{.Delay = 8, .LoopCount = 4, .Palette = GifPalette::Compact, .Optimise = true};
  {
    QSettings settings = SettingsIn(Temp);
    Box.SetOptions(chosen);
    Box.Save(settings);
    EXPECT_EQ(settings.value("Animation/palette").toString(), QStringLiteral("compact"));
    EXPECT_EQ(settings.value("Animation/optimise").toString(), QStringLiteral("on"));
  }
  TAnimationOptionsBox other;
  QSettings settings = SettingsIn(Temp);
  EXPECT_EQ(other.Load(settings), chosen);
  EXPECT_EQ(other.Options(), chosen);
  EXPECT_EQ(Control<QSpinBox>(other, "LoopCountBox")->text(), QStringLiteral("4"));

  settings.setValue("Animation/delay", "slow");
  settings.setValue("Animation/palette", "octree");
  EXPECT_EQ(other.Load(settings), (AnimationOptions{.LoopCount = 4, .Optimise = true}));
  settings.clear();
  EXPECT_EQ(other.Load(settings), AnimationOptions{});
  EXPECT_EQ(Control<QSpinBox>(other, "LoopCountBox")->text(), QStringLiteral("forever"));
  EXPECT_TRUE(Announced.empty());
}

TEST_F(AnimationOptionsBoxTest, AnimateBuildsByTheWindowsChoicesAsTheCommandLineDoes) {
  const std::string strip = WriteColorBmp(Temp, "strip.bmx", 40, 64);
  OpenInConverter(strip);
  Box.SetOptions({.Delay = 9, .LoopCount = 2, .Palette = GifPalette::Compact, .Optimise = true});
  QObject::connect(&Box, &TAnimationOptionsBox::OptionsChanged, &Converter, &TForm1::SetAnimationOptions);
  Field<QSpinBox>("DelayBox")->setValue(11);  // the user's change reaches the window
  EXPECT_EQ(Converter.AnimationChoices().Delay, 11);
  Click(Converter, "Button3");
  Dialogs.SaveAnswers.push_back(Temp.File("window.gif"));
  Click(Converter, "Button2");
  ASSERT_TRUE(Dialogs.Messages.empty()) << Dialogs.TakeMessage().Text;
  const std::string command = std::string("'") + KORVANE_CLI + "' bmx2gif --delay 11 --loop 2 --palette compact " +
                              "--optimise '" + strip + "' '" + Temp.File("cli.gif") + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadWholeFile(Temp.File("window.gif")), ReadWholeFile(Temp.File("cli.gif")));
  const std::string plain = std::string("'") + KORVANE_CLI + "' bmx2gif '" + strip + "' '" + Temp.File("plain.gif") + "'";
  ASSERT_EQ(std::system(plain.c_str()), 0);
  EXPECT_LT(ReadWholeFile(Temp.File("window.gif")).size(), ReadWholeFile(Temp.File("plain.gif")).size() / 2);
}
