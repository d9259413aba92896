// The program started with words: --help and --version are answered before
// any window exists, Qt's own options are gone by then, at most one file is
// taken, and that file is opened in the Converter exactly as Open opens the
// same file chosen in its dialog, failures shown as Open shows them.
#include <sstream>

#include "AppTesting.h"
#include "GifRenderHelpers.h"
#include "StartArguments.h"

namespace {

struct TStartCase {
  std::vector<std::string> Words;
  TStartRequest Request;
  std::string FileName;
  std::string Problem;
};

TEST(StartArguments, WordsGiveOneFileHelpVersionOrUsage) {
  using enum TStartRequest;
  const std::vector<TStartCase> cases{
      {{}, srRun, "", ""},
      {{"anim.gif"}, srRun, "anim.gif", ""},
      {{"--", "-dash.bmx"}, srRun, "-dash.bmx", ""},
      {{"-"}, srRun, "-", ""},
      {{"--help"}, srHelp, "", ""},
      {{"a.gif", "-h"}, srHelp, "", ""},
      {{"--version", "a.gif", "b.gif"}, srVersion, "", ""},
      {{"--help", "--version"}, srHelp, "", ""},
      {{"--", "--help"}, srRun, "--help", ""},
      {{"a.gif", "b.gif"}, srUsage, "", "only one file can be opened"},
      {{"--frames", "a.gif"}, srUsage, "", "unknown option --frames"},
      {{""}, srUsage, "", "an empty file name"},
  };
  for (const TStartCase& row : cases) {
    const TStartArguments start = ParseStartArguments(row.Words);
    const std::string words = ::testing::PrintToString(row.Words);
    EXPECT_EQ(start.Request, row.Request) << words;
    EXPECT_EQ(start.FileName, row.FileName) << words;
    EXPECT_EQ(start.Problem, row.Problem) << words;
  }
}

TEST(StartArguments, HelpNamesTheUsageAndTheFile) {
  std::ostringstream help, usage;
  PrintStartHelp(help);
  PrintStartUsage(usage);
  EXPECT_NE(help.str().find(usage.str()), std::string::npos) << help.str();
  EXPECT_NE(usage.str().find("korvane [FILE]"), std::string::npos) << usage.str();
}

class StartFile : public TAppTest {
protected:
  // What a user sees after an Open: the six views, the messages, the
  // document's file name and kind, and whether Save and Animate may run.
  struct TSeen {
    std::vector<std::vector<TColor>> Views;
    std::vector<std::string> Messages;
    std::string FileName;
    std::string Kind;
    bool Save;
    bool Animate;
    bool operator==(const TSeen&) const = default;
  };
  TSeen Seen() {
    TSeen seen{{}, {}, Converter.Document().SourceFileName, Converter.Document().SourceKind,
               Enabled(Converter, "Button2"), Enabled(Converter, "Button3")};
    for (int number = 1; number <= 6; ++number) seen.Views.push_back(PixelsOf(Converter.Image(number).Picture()));
    for (const TShownMessage& message : Dialogs.Messages) seen.Messages.push_back(message.Text);
    Dialogs.Messages.clear();
    return seen;
  }
};

TEST_F(StartFile, TheNamedFileOpensAsOpenOpensIt) {
  std::vector<TTestFrame> frames;
  for (int k = 0; k < 4; ++k) frames.push_back({k, 0, 3, 5, TBytes(15, static_cast<std::uint8_t>(k % 2)), {}});
  WriteWholeFile(Temp.File("anim.gif"), GifWith(6, 5, {0xFFFFFF, 0x000000}, frames));
  WriteWholeFile(Temp.File("short.gif"), GifWith(6, 5, {0xFFFFFF, 0x000000}, {frames[0]}));
  const std::string other = WriteColorBmp(Temp, "other.bmp", 8, 8);
  const struct {
    const char* What;
    std::string File;
    bool Fails;
  } cases[] = {
      {"a strip", WriteColorBmp(Temp, "strip.bmx", 16, 64), false},
      {"a GIF of four frames", Temp.File("anim.gif"), false},
      {"a GIF of one frame", Temp.File("short.gif"), true},
      {"a missing file", Temp.File("missing.bmx"), true},
  };
  OpenInConverter(other);
  const std::vector<std::vector<TColor>> otherViews = Seen().Views;
  for (const auto& [what, file, fails] : cases) {
    OpenInConverter(other);
    Dialogs.Messages.clear();
    Converter.OpenGivenFile(ParseStartArguments({file}).FileName);
    const TSeen started = Seen();
    OpenInConverter(other);
    Dialogs.Messages.clear();
    OpenInConverter(file);
    const TSeen opened = Seen();
    EXPECT_TRUE(started == opened) << what;
    EXPECT_EQ(started.FileName, file) << what;
    EXPECT_EQ(started.Messages.size(), fails ? 1u : 0u) << what;
    if (!fails) {
      EXPECT_NE(started.Views, otherViews) << what;
    }
  }
}

}  // namespace
