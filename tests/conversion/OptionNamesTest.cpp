// The names of the choices: every value the command line and the remembered
// settings may hold reads as the choice it names, every choice written as
// text reads back the same, and a bad value names the option and what it
// accepts.
#include <gtest/gtest.h>

#include "OptionNames.h"

namespace {

struct TNameCase {
  std::string Key, Value;
  StripOptions Expected;  // when Error is empty
  std::string Error;
};

StripOptions With(void (*change)(StripOptions&)) {
  StripOptions options;
  change(options);
  return options;
}

TEST(OptionNames, ValuesReadAsTheChoicesTheyName) {
  const TNameCase cases[] = {
      {"as-stored", "on", With([](StripOptions& o) { o.AsStored = true; }), ""},
      {"as-stored", "yes", {}, "bad value \"yes\" for as-stored: it accepts on|off"},
      {"frames", "first", {}, ""},
      {"frames", "spread", With([](StripOptions& o) { o.Frames = FrameChoice::Spread; }), ""},
      {"frames", "4,0,12,3",
       With([](StripOptions& o) { o.Frames = FrameChoice::List, o.FrameList = {4, 0, 12, 3}; }), ""},
      {"frames", "1,2,3", {}, "bad value \"1,2,3\" for frames: it accepts first|spread|N,N,N,N"},
      {"frames", "1,2,3,4,5", {}, "bad value \"1,2,3,4,5\" for frames: it accepts first|spread|N,N,N,N"},
      {"frames", "1,-2,3,4", {}, "bad value \"1,-2,3,4\" for frames: it accepts first|spread|N,N,N,N"},
      {"frames", "1,,3,4", {}, "bad value \"1,,3,4\" for frames: it accepts first|spread|N,N,N,N"},
      {"short", "repeat", With([](StripOptions& o) { o.ShortGif = ShortGifRule::Repeat; }), ""},
      {"short", "Repeat", {}, "bad value \"Repeat\" for short: it accepts refuse|repeat"},
      {"size", "screensaver", With([](StripOptions& o) { o.TargetWidth = 101, o.TargetHeight = 64; }), ""},
      {"size", "logo", With([](StripOptions& o) { o.TargetWidth = 101, o.TargetHeight = 46; }), ""},
      {"size", "ems72", With([](StripOptions& o) { o.TargetWidth = 72, o.TargetHeight = 32; }), ""},
      {"size", "ems16", With([](StripOptions& o) { o.TargetWidth = 16, o.TargetHeight = 16; }), ""},
      {"size", "640x1", With([](StripOptions& o) { o.TargetWidth = 640, o.TargetHeight = 1; }), ""},
      {"size", "own", {}, ""},
      {"size", "0x64", {}, "bad value \"0x64\" for size: it accepts own|WxH|screensaver|logo|ems16|ems72"},
      {"size", "64x", {}, "bad value \"64x\" for size: it accepts own|WxH|screensaver|logo|ems16|ems72"},
      {"size", "5000x10", {}, "bad value \"5000x10\" for size: it accepts own|WxH|screensaver|logo|ems16|ems72"},
      {"size", "64X64", {}, "bad value \"64X64\" for size: it accepts own|WxH|screensaver|logo|ems16|ems72"},
      {"fit", "fill", With([](StripOptions& o) { o.Fit = Fitting::Fill; }), ""},
      {"fit", "stretch", With([](StripOptions& o) { o.Fit = Fitting::Stretch; }), ""},
      {"fit", "crop", {}, "bad value \"crop\" for fit: it accepts fit|fill|stretch"},
      {"mono", "threshold", With([](StripOptions& o) { o.Mono = MonoMethod::Threshold; }), ""},
      {"mono", "threshold=0", With([](StripOptions& o) { o.Mono = MonoMethod::Threshold, o.Threshold = 0; }), ""},
      {"mono", "threshold=255", With([](StripOptions& o) { o.Mono = MonoMethod::Threshold, o.Threshold = 255; }), ""},
      {"mono", "threshold=256", {},
       "bad value \"threshold=256\" for mono: it accepts exact|threshold[=N]|floyd|atkinson|ordered4|ordered8"},
      {"mono", "threshold=", {},
       "bad value \"threshold=\" for mono: it accepts exact|threshold[=N]|floyd|atkinson|ordered4|ordered8"},
      {"mono", "floyd", With([](StripOptions& o) { o.Mono = MonoMethod::FloydSteinberg; }), ""},
      {"mono", "atkinson", With([](StripOptions& o) { o.Mono = MonoMethod::Atkinson; }), ""},
      {"mono", "ordered4", With([](StripOptions& o) { o.Mono = MonoMethod::Ordered4x4; }), ""},
      {"mono", "ordered8", With([](StripOptions& o) { o.Mono = MonoMethod::Ordered8x8; }), ""},
      {"mono", "bayer", {},
       "bad value \"bayer\" for mono: it accepts exact|threshold[=N]|floyd|atkinson|ordered4|ordered8"},
      {"invert", "on", With([](StripOptions& o) { o.Invert = true; }), ""},
  };
  for (const TNameCase& c : cases) {
    SCOPED_TRACE(c.Key + " " + c.Value);
    const TOptionField<StripOptions>* field = FindStripOption(c.Key);
    ASSERT_NE(field, nullptr);
    StripOptions options;
    try {
      field->Parse(c.Value, options);
      EXPECT_TRUE(c.Error.empty()) << "no failure";
      EXPECT_TRUE(options == c.Expected);
    } catch (const EBadOptionValue& error) {
      EXPECT_EQ(error.Message(), c.Error);
      EXPECT_EQ(error.Key(), c.Key);
    }
  }
}

TEST(OptionNames, EveryChoiceWrittenAsTextReadsBackTheSame) {
  std::vector<StripOptions> choices{StripOptions{}};
  for (const TOptionField<StripOptions>& field : StripOptionFields())
    for (const std::string_view value : {"on", "spread", "7,1,0,3", "repeat", "72x32", "fill", "stretch",
                                         "threshold=77", "atkinson", "ordered8"}) {
      StripOptions options;
      try {
        field.Parse(value, options);
      } catch (const EBadOptionValue&) {
        continue;
      }
      choices.push_back(options);
    }
  EXPECT_EQ(choices.size(), 12u);
  for (const StripOptions& options : choices) {
    StripOptions back;
    for (const TOptionField<StripOptions>& field : StripOptionFields()) field.Parse(field.Text(options), back);
    EXPECT_TRUE(back == options);
  }
  AnimationOptions animation{.Delay = 7, .LoopCount = 3, .Palette = GifPalette::Compact, .Optimise = true};
  AnimationOptions back;
  for (const TOptionField<AnimationOptions>& field : AnimationOptionFields()) field.Parse(field.Text(animation), back);
  EXPECT_TRUE(back == animation);
}

}  // namespace
