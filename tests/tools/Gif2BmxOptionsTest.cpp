// korvane-cli gif2bmx's options: a bad value or an unknown option stops it
// with one line and exit status 2 before anything is read or written (that
// good ones give the window's bytes is checked with the window).
#include <gtest/gtest.h>

#include "CliTesting.h"
#include "GifBuilder.h"
#include "TestFiles.h"

namespace {

// Five frames of 2 x 2 over black, white and two greys.
TBytes GreyGif() {
  TGifBuilder gif;
  gif.Header(2, 2, 0x81).ColorTable({0x000000, 0xFFFFFF, 0x404040, 0xC0C0C0});
  const std::vector<TBytes> images{{0, 1, 2, 3}, {1, 1, 2, 2}, {3, 3, 0, 0}, {2, 3, 1, 0}, {1, 0, 1, 0}};
  for (const TBytes& indices : images) gif.Descriptor(0, 0, 2, 2).ImageData(2, LzwEncode(indices, 2));
  return gif.Trailer().Bytes();
}

TEST(CliGif2BmxOptions, ABadValueNamesTheOptionAndWhatItAcceptsAndWritesNothing) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--frames", "some"}, "bad value \"some\" for --frames: it accepts first|spread|N,N,N,N\n"},
      {{"--frames=1,2"}, "bad value \"1,2\" for --frames: it accepts first|spread|N,N,N,N\n"},
      {{"--short", "loop"}, "bad value \"loop\" for --short: it accepts refuse|repeat\n"},
      {{"--size", "0x0"}, "bad value \"0x0\" for --size: it accepts own|WxH|screensaver|logo|ems16|ems72\n"},
      {{"--fit", "Fill"}, "bad value \"Fill\" for --fit: it accepts fit|fill|stretch\n"},
      {{"--mono", "threshold=300"},
       "bad value \"threshold=300\" for --mono: it accepts exact|threshold[=N]|floyd|atkinson|ordered4|ordered8\n"},
      {{"--invert=maybe"}, "bad value \"maybe\" for --invert: it accepts on|off\n"},
  };
  TTempDir dir;
  WriteWholeFile(dir.File("in.gif"), GreyGif());
  for (const auto& [options, message] : cases) {
    SCOPED_TRACE(options[0]);
    std::vector<std::string> args{"gif2bmx"};
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), {dir.File("in.gif"), dir.File("out.bmx")});
    const TRun run = Cli(args);
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, message);
    EXPECT_EQ(run.Out, "");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.bmx")));
  }
  // An option given last, without its value, and one that does not exist.
  const TRun missing = Cli({"gif2bmx", dir.File("in.gif"), dir.File("out.bmx"), "--mono"});
  EXPECT_EQ(missing.Status, 2);
  EXPECT_EQ(missing.Err, "bad value \"\" for --mono: it accepts exact|threshold[=N]|floyd|atkinson|ordered4|ordered8\n");
  const TRun unknown = Cli({"gif2bmx", "--dither", dir.File("in.gif"), dir.File("out.bmx")});
  EXPECT_EQ(unknown.Status, 2);
  EXPECT_EQ(unknown.Err.substr(0, unknown.Err.find('\n')), "unknown option --dither");
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.bmx")));
}

}  // namespace
