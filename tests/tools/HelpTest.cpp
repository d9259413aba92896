// korvane-cli --help and --version: the help lists every command with its
// arguments and the exit statuses on standard output; the version line names
// the project's version and, from a git checkout, the commit; anything else
// that is not a command is bad usage.
#include <gtest/gtest.h>

#include <regex>

#include "CliTesting.h"

namespace {

TEST(CliHelp, HelpListsEveryCommandAndTheExitStatuses) {
  for (const char* word : {"--help", "-h"}) {
    const TRun help = Cli({word});
    EXPECT_EQ(help.Status, 0) << word;
    EXPECT_TRUE(help.Err.empty()) << word;
    for (const char* line :
         {"  bmx2gif IN.bmp OUT.gif ", "  dump [--format bmp|gif] FILE ", "  gif2bmx [options] IN.gif OUT.bmx ",
          "  mono-bmp IN OUT ", "  render FILE.gif ", "  rewrite IN.gif OUT.gif ", "\n  0  done\n",
          "\n  1  a file failed\n", "\n  2  bad usage\n", "usage: korvane-cli COMMAND"})
      EXPECT_NE(help.Out.find(line), std::string::npos) << word << " lacks " << line << " in\n" << help.Out;
  }
}

TEST(CliHelp, VersionIsTheProjectsWithTheCommitWhenThereIsOne) {
  const TRun version = Cli({"--version"});
  EXPECT_EQ(version.Status, 0);
  const std::regex line("korvane-cli " + std::regex_replace(KORVANE_VERSION, std::regex("\\."), "\\.") +
                        "( \\(commit [0-9a-f]{7,}\\))?\n");
  EXPECT_TRUE(std::regex_match(version.Out, line)) << version.Out;
}

TEST(CliHelp, OtherWordsAreBadUsageOnTheErrorStream) {
  const std::vector<std::vector<std::string>> wrong{
      {}, {"--help", "dump"}, {"--version", "x"}, {"--verbose"}, {"-"}, {"GIF2BMX", "a.gif", "a.bmx"}};
  for (const std::vector<std::string>& words : wrong) {
    const TRun run = Cli(words);
    EXPECT_EQ(run.Status, 2) << ::testing::PrintToString(words);
    EXPECT_TRUE(run.Out.empty()) << ::testing::PrintToString(words);
    for (const char* line : {"usage: korvane-cli bmx2gif IN.bmp OUT.gif\n", "       korvane-cli rewrite IN.gif OUT.gif\n",
                             "       korvane-cli --help | --version\n"})
      EXPECT_NE(run.Err.find(line), std::string::npos) << run.Err;
  }
}

}  // namespace
