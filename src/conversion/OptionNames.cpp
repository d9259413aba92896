#include "OptionNames.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace {

constexpr const char* FramesAccepts = "first|spread|N,N,N,N";
constexpr const char* ShortAccepts = "refuse|repeat";
constexpr const char* SizeAccepts = "own|WxH|screensaver|logo|ems16|ems72";
constexpr const char* FitAccepts = "fit|fill|stretch";
constexpr const char* MonoAccepts = "exact|threshold[=N]|floyd|atkinson|ordered4|ordered8";
constexpr const char* SwitchAccepts = "on|off";
constexpr const char* PaletteAccepts = "cube|compact";
constexpr const char* CountAccepts = "0..65535";

// Target sides up to this many pixels: the strip, four targets high, stays a picture we can hold.
constexpr int MaxTargetSide = 4096;

template <class E>
struct TChoiceName {
  E Value;
  std::string_view Text;
};

constexpr std::array<TChoiceName<FrameChoice>, 3> FrameNames{
    {{FrameChoice::FirstFour, "first"}, {FrameChoice::Spread, "spread"}, {FrameChoice::List, "list"}}};
constexpr std::array<TChoiceName<ShortGifRule>, 2> ShortNames{
    {{ShortGifRule::Refuse, "refuse"}, {ShortGifRule::Repeat, "repeat"}}};
constexpr std::array<TChoiceName<Fitting>, 3> FitNames{
    {{Fitting::Fit, "fit"}, {Fitting::Fill, "fill"}, {Fitting::Stretch, "stretch"}}};
constexpr std::array<TChoiceName<MonoMethod>, 6> MonoNames{{{MonoMethod::ExactWhite, "exact"},
                                                            {MonoMethod::Threshold, "threshold"},
                                                            {MonoMethod::FloydSteinberg, "floyd"},
                                                            {MonoMethod::Atkinson, "atkinson"},
                                                            {MonoMethod::Ordered4x4, "ordered4"},
                                                            {MonoMethod::Ordered8x8, "ordered8"}}};
constexpr std::array<TChoiceName<GifPalette>, 2> PaletteNames{
    {{GifPalette::Cube, "cube"}, {GifPalette::Compact, "compact"}}};

struct TPreset {
  std::string_view Name;
  int Width, Height;
};
constexpr std::array<TPreset, 4> SizePresets{
    {{"screensaver", 101, 64}, {"logo", 101, 46}, {"ems72", 72, 32}, {"ems16", 16, 16}}};

template <class E, std::size_t N>
std::string_view NameIn(const std::array<TChoiceName<E>, N>& names, E value) {
  for (const auto& name : names)
    if (name.Value == value) return name.Text;
  return {};
}

template <class E, std::size_t N>
std::optional<E> ValueIn(const std::array<TChoiceName<E>, N>& names, std::string_view text) {
  for (const auto& name : names)
    if (name.Text == text) return name.Value;
  return std::nullopt;
}

// A whole decimal number from low to high, nothing else around it.
std::optional<int> NumberIn(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

bool ParseSwitch(std::string_view text, const char* key) {
  if (text == "on") return true;
  if (text == "off") return false;
  throw EBadOptionValue(key, SwitchAccepts, text);
}

std::string SwitchText(bool on) { return on ? "on" : "off"; }

std::optional<std::array<int, 4>> FrameNumbersIn(std::string_view text) {
  std::array<int, 4> numbers{};
  for (std::size_t k = 0; k < numbers.size(); ++k) {
    const std::size_t comma = k + 1 < numbers.size() ? text.find(',') : text.size();
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<int> number = NumberIn(text.substr(0, comma), 0, 65535);
    if (!number) return std::nullopt;
    numbers[k] = *number;
    text.remove_prefix(std::min(comma + 1, text.size()));
  }
  return numbers;
}

const std::array<TOptionField<StripOptions>, 7> StripFields{{
    {"as-stored", SwitchAccepts, true,
     [](std::string_view text, StripOptions& o) { o.AsStored = ParseSwitch(text, "as-stored"); },
     [](const StripOptions& o) { return SwitchText(o.AsStored); }},
    {"frames", FramesAccepts, false, ParseFrames, FramesText},
    {"short", ShortAccepts, false, [](std::string_view text, StripOptions& o) { o.ShortGif = ParseShortGif(text); },
     [](const StripOptions& o) { return std::string(TextOf(o.ShortGif)); }},
    {"size", SizeAccepts, false, ParseSize, SizeText},
    {"fit", FitAccepts, false, [](std::string_view text, StripOptions& o) { o.Fit = ParseFitting(text); },
     [](const StripOptions& o) { return std::string(TextOf(o.Fit)); }},
    {"mono", MonoAccepts, false, ParseMono, MonoText},
    {"invert", SwitchAccepts, true,
     [](std::string_view text, StripOptions& o) { o.Invert = ParseSwitch(text, "invert"); },
     [](const StripOptions& o) { return SwitchText(o.Invert); }},
}};

int ParseCount(std::string_view text, const char* key) {
  const std::optional<int> value = NumberIn(text, 0, 65535);
  if (!value) throw EBadOptionValue(key, CountAccepts, text);
  return *value;
}

const std::array<TOptionField<AnimationOptions>, 4> AnimationFields{{
    {"delay", CountAccepts, false, [](std::string_view text, AnimationOptions& o) { o.Delay = ParseCount(text, "delay"); },
     [](const AnimationOptions& o) { return std::to_string(o.Delay); }},
    {"loop", CountAccepts, false,
     [](std::string_view text, AnimationOptions& o) { o.LoopCount = ParseCount(text, "loop"); },
     [](const AnimationOptions& o) { return std::to_string(o.LoopCount); }},
    {"palette", PaletteAccepts, false,
     [](std::string_view text, AnimationOptions& o) { o.Palette = ParseGifPalette(text); },
     [](const AnimationOptions& o) { return std::string(TextOf(o.Palette)); }},
    {"optimise", SwitchAccepts, true,
     [](std::string_view text, AnimationOptions& o) { o.Optimise = ParseSwitch(text, "optimise"); },
     [](const AnimationOptions& o) { return SwitchText(o.Optimise); }},
}};

template <class TOptions, std::size_t N>
const TOptionField<TOptions>* FieldIn(const std::array<TOptionField<TOptions>, N>& fields, std::string_view key) {
  for (const auto& field : fields)
    if (key == field.Key) return &field;
  return nullptr;
}

}  // namespace

EBadOptionValue::EBadOptionValue(std::string key, std::string accepts, std::string_view value)
    : Exception("bad value \"" + std::string(value) + "\" for " + key + ": it accepts " + accepts),
      FKey(std::move(key)),
      FAccepts(std::move(accepts)),
      FValue(value) {}

std::span<const TOptionField<StripOptions>> StripOptionFields() { return StripFields; }
std::span<const TOptionField<AnimationOptions>> AnimationOptionFields() { return AnimationFields; }
const TOptionField<StripOptions>* FindStripOption(std::string_view key) { return FieldIn(StripFields, key); }
const TOptionField<AnimationOptions>* FindAnimationOption(std::string_view key) { return FieldIn(AnimationFields, key); }

std::string_view TextOf(FrameChoice choice) { return NameIn(FrameNames, choice); }
std::string_view TextOf(ShortGifRule rule) { return NameIn(ShortNames, rule); }
std::string_view TextOf(Fitting fitting) { return NameIn(FitNames, fitting); }
std::string_view TextOf(MonoMethod method) { return NameIn(MonoNames, method); }
std::string_view TextOf(GifPalette palette) { return NameIn(PaletteNames, palette); }

ShortGifRule ParseShortGif(std::string_view text) {
  if (const auto rule = ValueIn(ShortNames, text)) return *rule;
  throw EBadOptionValue("short", ShortAccepts, text);
}

Fitting ParseFitting(std::string_view text) {
  if (const auto fitting = ValueIn(FitNames, text)) return *fitting;
  throw EBadOptionValue("fit", FitAccepts, text);
}

GifPalette ParseGifPalette(std::string_view text) {
  if (const auto palette = ValueIn(PaletteNames, text)) return *palette;
  throw EBadOptionValue("palette", PaletteAccepts, text);
}

void ParseFrames(std::string_view text, StripOptions& options) {
  if (text == "first" || text == "spread") {
    options.Frames = *ValueIn(FrameNames, text);
    return;
  }
  const std::optional<std::array<int, 4>> numbers = FrameNumbersIn(text);
  if (!numbers) throw EBadOptionValue("frames", FramesAccepts, text);
  options.Frames = FrameChoice::List;
  options.FrameList = *numbers;
}

std::string FramesText(const StripOptions& options) {
  if (options.Frames != FrameChoice::List) return std::string(TextOf(options.Frames));
  const std::array<int, 4>& n = options.FrameList;
  return std::to_string(n[0]) + "," + std::to_string(n[1]) + "," + std::to_string(n[2]) + "," + std::to_string(n[3]);
}

void ParseSize(std::string_view text, StripOptions& options) {
  if (text == "own") {
    options.TargetWidth = options.TargetHeight = 0;
    return;
  }
  for (const TPreset& preset : SizePresets)
    if (preset.Name == text) {
      options.TargetWidth = preset.Width;
      options.TargetHeight = preset.Height;
      return;
    }
  const std::size_t x = text.find('x');
  const std::optional<int> width = x == std::string_view::npos ? std::nullopt : NumberIn(text.substr(0, x), 1, MaxTargetSide);
  const std::optional<int> height = width ? NumberIn(text.substr(x + 1), 1, MaxTargetSide) : std::nullopt;
  if (!height) throw EBadOptionValue("size", SizeAccepts, text);
  options.TargetWidth = *width;
  options.TargetHeight = *height;
}

std::string SizeText(const StripOptions& options) {
  if (options.TargetWidth == 0 || options.TargetHeight == 0) return "own";
  return std::to_string(options.TargetWidth) + "x" + std::to_string(options.TargetHeight);
}

void ParseMono(std::string_view text, StripOptions& options) {
  constexpr std::string_view thresholdWith = "threshold=";
  if (text.starts_with(thresholdWith)) {
    const std::optional<int> level = NumberIn(text.substr(thresholdWith.size()), 0, 255);
    if (!level) throw EBadOptionValue("mono", MonoAccepts, text);
    options.Mono = MonoMethod::Threshold;
    options.Threshold = *level;
    return;
  }
  const std::optional<MonoMethod> method = ValueIn(MonoNames, text);
  if (!method) throw EBadOptionValue("mono", MonoAccepts, text);
  options.Mono = *method;
}

std::string MonoText(const StripOptions& options) {
  if (options.Mono == MonoMethod::Threshold) return "threshold=" + std::to_string(options.Threshold);
  return std::string(TextOf(options.Mono));
}
