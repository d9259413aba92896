// korvane-cli's manual page and bash completion describe every option each
// command's --help lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "CliTesting.h"
#include "Programs.h"
#include "TestFiles.h"

namespace {

const std::vector<std::string> CommandNames = {"bmx2gif", "dump", "gif2bmx", "mono-bmp", "render", "rewrite"};

// The option names of a command's help: the first word of each "  -" line.
std::vector<std::string> HelpOptions(const std::string& command) {
  std::istringstream lines(Cli({command, "--help"}).Out);
  std::vector<std::string> names;
  for (std::string line; std::getline(lines, line);)
    if (line.starts_with("  -")) names.push_back(line.substr(2, line.find(' ', 2) - 2));
  return names;
}

// The name as the manual page's source writes it: every '-' escaped.
std::string ManualSpelling(const std::string& name) {
  std::string escaped;
  for (const char c : name) escaped += c == '-' ? std::string("\\-") : std::string(1, c);
  return escaped;
}

TEST(CliDocs, TheManualPageAndTheCompletionNameEveryOptionOfEveryCommand) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(KORVANE_SOURCE_DIR "/data/man/korvane-cli.1.in");
  const std::string manual(bytes.begin(), bytes.end());
  const TFoundProgram bash = FindProgram({"bash", {"bash"}, {"--version"}, "GNU bash"});
  for (const std::string& command : CommandNames) {
    const std::vector<std::string> options = HelpOptions(command);
    EXPECT_NE(std::find(options.begin(), options.end(), "--help"), options.end()) << command;
    for (const std::string& option : options)
      EXPECT_NE(manual.find(ManualSpelling(option)), std::string::npos) << command << " " << option;
    if (!bash) continue;
    const TProgramRun run = RunProgram(
        bash.Path, {"-c", "source \"$1\"; COMP_WORDS=(korvane-cli \"$2\" -); COMP_CWORD=2; _korvane_cli; "
                          "printf '%s\\n' \"${COMPREPLY[@]}\"",
                    "bash", KORVANE_SOURCE_DIR "/data/completion/korvane-cli", command});
    std::vector<std::string> offered;
    std::istringstream lines(run.Output);
    for (std::string line; std::getline(lines, line);) offered.push_back(line);
    std::vector<std::string> expected = options;
    std::sort(expected.begin(), expected.end());
    std::sort(offered.begin(), offered.end());
    EXPECT_EQ(offered, expected) << command;
  }
}

}  // namespace
