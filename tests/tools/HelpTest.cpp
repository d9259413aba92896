// korvane-cli --help and --version: the help lists every command with its
// arguments and the exit statuses on standard output; the version line names
// the project's version and, from a git checkout, the commit; anything else
// that is not a command is bad usage.
#include <gtest/gtest.h>

#include <regex>
#include <tuple>

#include "CliTesting.h"

namespace {

TEST(CliHelp, HelpListsEveryCommandAndTheExitStatuses) {
  for (const char* word : {"--help", "-h"}) {
    const TRun help = Cli({word});
    EXPECT_EQ(help.Status, 0) << word;
    EXPECT_TRUE(help.Err.empty()) << word;
    for (const char* line :
         {"  bmx2gif [options] IN.bmp OUT.gif ", "  convert [options] IN OUT ", "  dump [--format bmp|gif] FILE ", "  gif2bmx [options] IN.gif OUT.bmx ",
          "  mono-bmp IN OUT ", "  render FILE.gif ", "  rewrite IN.gif OUT.gif ", "\n  0  done\n",
          "\n  1  a file failed\n", "\n  2  bad usage\n", "usage: korvane-cli COMMAND"})
      EXPECT_NE(help.Out.find(line), std::string::npos) << word << " lacks " << line << " in\n" << help.Out;
  }
}

TEST(CliHelp, EachCommandsHelpListsItsOptionsOneLineEach) {
  const std::string common[] = {"\n  --help "};
  const std::string batch[] = {"\n  -o DIR ", "\n  -j N ", "\n  --quiet ", "\n  --strict "};
  const std::vector<std::tuple<std::string, std::vector<std::string>, const char*>> cases = {
      {"bmx2gif", {"       korvane-cli bmx2gif [options] -o DIR IN.bmp...\n", "\n  --delay ", "\n  --palette cube|compact "}, ".gif"},
      {"dump", {"\n  --format bmp|gif "}, nullptr},
      {"gif2bmx",
       {"       korvane-cli gif2bmx [options] -o DIR IN.gif...\n", "\n  --as-stored ",
        "\n  --frames first|spread|N,N,N,N ",
        "\n  --short refuse|repeat ", "\n  --size own|WxH|", "\n  --fit fit|fill|stretch ", "\n  --mono exact|",
        "\n  --invert "},
       ".bmx"},
      {"mono-bmp", {"       korvane-cli mono-bmp -o DIR IN...\n"}, ".bmp"},
      {"render", {}, nullptr},
      {"rewrite", {"       korvane-cli rewrite -o DIR IN.gif...\n"}, ".gif"},
  };
  for (const auto& [command, lines, extension] : cases) {
    const TRun help = Cli({command, "--help"});
    EXPECT_EQ(help.Status, 0) << command;
    EXPECT_TRUE(help.Err.empty()) << command;
    EXPECT_TRUE(help.Out.starts_with("usage: korvane-cli " + command + " ")) << help.Out;
    std::vector<std::string> expected(lines);
    expected.insert(expected.end(), std::begin(common), std::end(common));
    if (extension != nullptr) {
      expected.insert(expected.end(), std::begin(batch), std::end(batch));
      expected.push_back(std::string("named as IN with the extension ") + extension + "\n");
    } else {
      for (const std::string& line : batch) EXPECT_EQ(help.Out.find(line), std::string::npos) << help.Out;
    }
    for (const std::string& line : expected)
      EXPECT_NE(help.Out.find(line), std::string::npos) << command << " lacks " << line << " in\n" << help.Out;
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
    for (const char* line : {"usage: korvane-cli bmx2gif [options] IN.bmp OUT.gif\n", "       korvane-cli rewrite IN.gif OUT.gif\n",
                             "       korvane-cli --help | --version\n"})
      EXPECT_NE(run.Err.find(line), std::string::npos) << run.Err;
  }
}

}  // namespace
