// korvane-cli's batches: COMMAND -o DIR IN... converts every input into DIR
// under its own name with the command's extension, on a pool of threads; a
// failing file fails alone, and the batch ends with a summary and status 1.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "Batch.h"
#include "BmpBuilder.h"
#include "CliTesting.h"
#include "GifBuilder.h"
#include "TestFiles.h"

namespace {

// A GIF of four frames of width 2 + n, each a different pattern.
TBytes GifNumber(int n) {
  const auto width = static_cast<std::uint16_t>(2 + n);
  TGifBuilder gif;
  gif.Header(width, 2, 0x81).ColorTable({0x000000, 0xFF0000, 0x808080, 0xFFFFFF});
  for (int frame = 0; frame < 4; ++frame) {
    TBytes indices;
    for (int i = 0; i < width * 2; ++i) indices.push_back(static_cast<std::uint8_t>((i * (frame + 1) + n) % 4));
    gif.Descriptor(0, 0, width, 2).ImageData(2, LzwEncode(indices, 2));
  }
  return gif.Trailer().Bytes();
}

std::vector<std::string> Files(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(CliBatch, OutputNamesComeFromTheInputNames) {
  const std::vector<std::tuple<std::string, std::string, std::string, std::string>> cases = {
      {"in/a.gif", "out", ".bmx", "out/a.bmx"},
      {"/x/y/Anim.GIF", "out/", ".bmx", "out/Anim.bmx"},
      {"strip.bmp", ".", ".gif", "./strip.gif"},
      {"no-extension", "o", ".bmp", "o/no-extension.bmp"},
      {"two.dots.gif", "o", ".gif", "o/two.dots.gif"},
  };
  for (const auto& [input, folder, extension, expected] : cases)
    EXPECT_EQ(BatchOutputName(input, folder, extension), expected) << input;
}

TEST(CliBatch, AFailingFileFailsAloneWithASummary) {
  TTempDir dir;
  for (int n = 0; n < 5; ++n) WriteWholeFile(dir.File("g" + std::to_string(n) + ".gif"), GifNumber(n));
  WriteWholeFile(dir.File("bad.gif"), {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0});
  std::vector<std::string> args{"gif2bmx", "--invert", "-o", dir.File("out")};
  for (const char* name : {"g0.gif", "g1.gif", "bad.gif", "g2.gif", "g3.gif", "g4.gif", "missing.gif"})
    args.push_back(dir.File(name));
  const TRun run = Cli(args);
  EXPECT_EQ(run.Status, ExitFailed);
  EXPECT_EQ(run.Out, "");
  std::vector<std::string> lines;
  std::istringstream err(run.Err);
  for (std::string line; std::getline(err, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 3u) << run.Err;
  // The files fail in whichever order their threads reach them; the summary comes last.
  std::sort(lines.begin(), lines.end() - 1);
  EXPECT_EQ(lines[0], "korvane-cli: " + dir.File("bad.gif") + ": Invalid GIF signature");
  EXPECT_EQ(lines[1], "korvane-cli: " + dir.File("missing.gif") + ": Cannot open file " + dir.File("missing.gif"));
  EXPECT_EQ(lines[2], "korvane-cli: 2 of 7 files failed");
  EXPECT_EQ(Files(dir.File("out")), (std::vector<std::string>{"g0.bmx", "g1.bmx", "g2.bmx", "g3.bmx", "g4.bmx"}));
  // Each is what the single conversion with the same options writes.
  for (int n = 0; n < 5; ++n) {
    const std::string name = "g" + std::to_string(n);
    ASSERT_EQ(Cli({"gif2bmx", "--invert", dir.File(name + ".gif"), dir.File("one.bmx")}).Status, 0);
    EXPECT_EQ(ReadWholeFile(dir.File("out/" + name + ".bmx")), ReadWholeFile(dir.File("one.bmx"))) << name;
  }
}

TEST(CliBatch, OneThreadAndTheDefaultWriteTheSameBytes) {
  TTempDir dir;
  std::vector<std::string> inputs;
  for (int n = 0; n < 12; ++n) {
    inputs.push_back(dir.File("g" + std::to_string(n) + ".gif"));
    WriteWholeFile(inputs.back(), GifNumber(n));
  }
  const std::vector<std::vector<std::string>> commands = {
      {"gif2bmx", "--size", "16x16", "--mono", "floyd"}, {"rewrite"}, {"mono-bmp"}};
  for (const std::vector<std::string>& command : commands) {
    for (const char* threads : {"1", ""}) {
      std::vector<std::string> args = command;
      if (*threads != '\0') args.insert(args.end(), {"-j", threads});
      args.insert(args.end(), {"-o", dir.File(std::string("out") + threads)});
      args.insert(args.end(), inputs.begin(), inputs.end());
      const TRun run = Cli(args);
      // mono-bmp reads BMP: every GIF fails there, each on its own line.
      const bool readsGif = command[0] != "mono-bmp";
      EXPECT_EQ(run.Status, readsGif ? ExitOk : ExitFailed) << command[0] << run.Err;
      if (!readsGif) {
        EXPECT_NE(run.Err.find("korvane-cli: 12 of 12 files failed\n"), std::string::npos) << run.Err;
      }
    }
    EXPECT_EQ(Files(dir.File("out1")), Files(dir.File("out")));
    for (const std::string& name : Files(dir.File("out")))
      EXPECT_EQ(ReadWholeFile(dir.File("out1/" + name)), ReadWholeFile(dir.File("out/" + name))) << command[0] << name;
    std::filesystem::remove_all(dir.File("out"));
    std::filesystem::remove_all(dir.File("out1"));
  }
}

TEST(CliBatch, TwoInputsOfOneNameDoNotShareAnOutput) {
  TTempDir dir;
  std::filesystem::create_directories(dir.File("a"));
  std::filesystem::create_directories(dir.File("b"));
  WriteWholeFile(dir.File("a/x.gif"), GifNumber(1));
  WriteWholeFile(dir.File("b/x.gif"), GifNumber(2));
  const TRun run = Cli({"rewrite", "-j", "1", "-o", dir.File("out"), dir.File("a/x.gif"), dir.File("b/x.gif")});
  EXPECT_EQ(run.Status, ExitFailed);
  EXPECT_EQ(run.Err, "korvane-cli: " + dir.File("b/x.gif") + ": " + dir.File("out/x.gif") +
                         " is the output of an earlier input of the same name\nkorvane-cli: 1 of 2 files failed\n");
  ASSERT_EQ(Cli({"rewrite", dir.File("a/x.gif"), dir.File("one.gif")}).Status, 0);
  EXPECT_EQ(ReadWholeFile(dir.File("out/x.gif")), ReadWholeFile(dir.File("one.gif")));
}

TEST(CliBatch, AProgressLineGoesToATerminalForMoreThanAFewFiles) {
  TTempDir dir;
  WriteWholeFile(dir.File("a.gif"), GifNumber(0));
  for (const std::size_t count : {8u, 9u}) {
    std::vector<std::string> args{"rewrite", "-o", dir.File("out")};
    for (std::size_t i = 0; i < count; ++i) {
      args.push_back(dir.File("a" + std::to_string(i) + ".gif"));
      std::filesystem::copy_file(dir.File("a.gif"), args.back(), std::filesystem::copy_options::overwrite_existing);
    }
    for (const bool terminal : {false, true}) {
      std::istringstream in;
      std::ostringstream out, err;
      EXPECT_EQ(RunCommandLine(args, in, out, err, terminal), ExitOk);
      const std::string last = "\rkorvane-cli: " + std::to_string(count) + " of " + std::to_string(count) + " files";
      EXPECT_EQ(err.str().find(last) != std::string::npos, terminal && count > 8) << count << err.str();
      if (terminal && count > 8) {
        EXPECT_TRUE(err.str().ends_with("\r\033[K")) << "the line is cleared at the end";
      }
    }
  }
}

TEST(CliBatch, BadUsageOfTheBatchIsStatusTwoAndConvertsNothing) {
  TTempDir dir;
  WriteWholeFile(dir.File("a.gif"), GifNumber(0));
  const std::string in = dir.File("a.gif"), out = dir.File("out");
  const std::string threads = "\" for -j: it accepts a number from 1 to 1024\n";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"gif2bmx", in, "-o"}, "korvane-cli gif2bmx: -o needs a value\n"},
      {{"gif2bmx", "-o", out}, "korvane-cli gif2bmx: -o needs at least one IN\n"},
      {{"gif2bmx", "-j", "0", "-o", out, in}, "korvane-cli gif2bmx: bad value \"0" + threads},
      {{"gif2bmx", "-j", "2x", "-o", out, in}, "korvane-cli gif2bmx: bad value \"2x" + threads},
      {{"rewrite", "-o", out, in, "-"},
       "korvane-cli rewrite: - names no file of a batch: convert it alone, as IN OUT\n"},
      {{"dump", "-o", out, in}, "korvane-cli dump: this command takes no -o\n"},
      {{"render", "--strict", in}, "korvane-cli render: this command takes no --strict\n"},
      {{"gif2bmx", "--mono", "grey", "-o", out, in},
       "bad value \"grey\" for --mono: it accepts exact|threshold[=N]|floyd|atkinson|ordered4|ordered8\n"},
  };
  for (const auto& [args, message] : cases) {
    const TRun run = Cli(args);
    EXPECT_EQ(run.Status, ExitUsage) << message;
    EXPECT_TRUE(run.Err.starts_with(message)) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/a.bmx"))) << message;
  }
}

}  // namespace
