// The rule for programs that tests run by name: a look-alike of the same name
// counts as absent, with a reason; the genuine one is found wherever it stands
// on PATH. And RunProgram's input, output, exit status and time limit.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "Programs.h"
#include "TestFiles.h"

namespace {

// A shell script under the name, executable.
void WriteScript(const std::string& fileName, const std::string& body) {
  const std::string text = "#!/bin/sh\n" + body + "\n";
  WriteWholeFile(fileName, std::vector<std::uint8_t>(text.begin(), text.end()));
  ::chmod(fileName.c_str(), 0755);
}

// PATH set to the given folders for the life of the object.
class TPathScope {
public:
  explicit TPathScope(const std::string& path) {
    const char* old = std::getenv("PATH");
    FOld = old != nullptr ? old : "";
    ::setenv("PATH", path.c_str(), 1);
  }
  ~TPathScope() { ::setenv("PATH", FOld.c_str(), 1); }

private:
  std::string FOld;
};

const TProgramClaim ImageMagick{"ImageMagick", {"magick", "convert-im6.q16", "convert"}, {"-version"}, "Version: ImageMagick "};

TEST(FindProgram, ALookAlikeFirstOnPathCountsAsAbsentAndTheReasonNamesIt) {
  TTempDir early, late;
  // As the stand-in of a fresh machine: a convert that is not ImageMagick.
  WriteScript(early.File("convert"),
              "echo 'convert: ImageMagick is not installed here, and this stand-in only prints a PNG' >&2; exit 1");
  // Nor does a message that merely names it, or another program's version.
  WriteScript(early.File("magick"), "echo 'magick: ImageMagick is not installed here'");
  WriteScript(late.File("convert-im6.q16"), "echo 'Version: GraphicsMagick 1.4'");
  TPathScope path(early.Path().string() + ":" + late.Path().string());
  const TFoundProgram found = FindProgram(ImageMagick);
  EXPECT_FALSE(found);
  EXPECT_NE(found.Reason.find(early.File("convert") + " is not ImageMagick"), std::string::npos) << found.Reason;
  EXPECT_NE(found.Reason.find(early.File("magick") + " is not ImageMagick"), std::string::npos) << found.Reason;
  EXPECT_NE(found.Reason.find(late.File("convert-im6.q16") + " is not ImageMagick"), std::string::npos) << found.Reason;
  EXPECT_EQ(found.Reason.rfind("ImageMagick is not installed: ", 0), 0u) << found.Reason;
}

TEST(FindProgram, TheGenuineProgramIsFoundBehindALookAlike) {
  TTempDir early, late;
  WriteScript(early.File("convert"), "exit 1");
  WriteScript(late.File("convert-im6.q16"), "echo 'Version: ImageMagick 6.9.11-60 Q16 x86_64'");
  TPathScope path(early.Path().string() + ":" + late.Path().string());
  const TFoundProgram found = FindProgram(ImageMagick);
  EXPECT_TRUE(found);
  EXPECT_EQ(found.Path, late.File("convert-im6.q16"));
}

TEST(FindProgram, TheVersionIsReadFromTheStreamTheClaimNames) {
  TTempDir dir;
  WriteScript(dir.File("on-errors"), "echo 'tool (suite) 2.2' >&2");
  WriteScript(dir.File("on-output"), "echo 'tool (suite) 2.2'");
  TPathScope path(dir.Path().string());
  const struct {
    const char* Name;
    bool OnErrorOutput;
    bool Found;
  } cases[] = {
      {"on-errors", true, true},
      {"on-errors", false, false},
      {"on-output", true, false},
      {"on-output", false, true},
  };
  for (const auto& [name, onErrorOutput, found] : cases)
    EXPECT_EQ(bool(FindProgram({"the suite's tool", {name}, {"-v"}, "(suite)", onErrorOutput})), found)
        << name << (onErrorOutput ? " read on standard error" : " read on standard output");
}

TEST(RunProgram, FeedsInputAndCollectsOutputErrorsAndExitStatus) {
  TTempDir dir;
  WriteScript(dir.File("echoer"), "read line; echo \"out $line $1\"; echo \"err\" >&2; exit 3");
  const TProgramRun run = RunProgram(dir.File("echoer"), {"arg"}, "in\n");
  EXPECT_TRUE(run.Finished);
  EXPECT_EQ(run.ExitStatus, 3);
  EXPECT_EQ(run.Output, "out in arg\n");
  EXPECT_EQ(run.Errors, "err\n");
}

TEST(RunProgram, AProgramPastItsTimeIsStoppedAndDoesNotCountAsFinished) {
  TTempDir dir;
  WriteScript(dir.File("sleeper"), "while :; do :; done");  // shell only: no other program by name
  const TProgramRun run = RunProgram(dir.File("sleeper"), {}, {}, std::chrono::seconds(1));
  EXPECT_FALSE(run.Finished);
}

}  // namespace
