// The text names of the conversion choices, for the command line's options
// and the window's remembered settings alike, with a parse function each way.
// Each option has one row in a table: its key ("frames" is --frames on the
// command line and the setting's name), what it accepts, and how its value
// is read and written. A bad value raises EBadOptionValue, whose message
// names the option and what it accepts.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "AnimationOptions.h"
#include "Exception.h"
#include "StripOptions.h"

class EBadOptionValue : public Exception {
public:
  EBadOptionValue(std::string key, std::string accepts, std::string_view value);
  const std::string& Key() const { return FKey; }
  const std::string& Accepts() const { return FAccepts; }
  const std::string& Value() const { return FValue; }

private:
  std::string FKey;
  std::string FAccepts;
  std::string FValue;
};

template <class TOptions>
struct TOptionField {
  const char* Key;      // "frames"
  const char* Accepts;  // "first|spread|N,N,N,N"
  bool Switch;          // given alone on the command line, it means "on"
  void (*Parse)(std::string_view text, TOptions& options);
  std::string (*Text)(const TOptions& options);
};

std::span<const TOptionField<StripOptions>> StripOptionFields();
std::span<const TOptionField<AnimationOptions>> AnimationOptionFields();
// The row of a key; nullptr for a key no option has.
const TOptionField<StripOptions>* FindStripOption(std::string_view key);
const TOptionField<AnimationOptions>* FindAnimationOption(std::string_view key);

// Each choice by name.
std::string_view TextOf(FrameChoice choice);
std::string_view TextOf(ShortGifRule rule);
std::string_view TextOf(Fitting fitting);
std::string_view TextOf(MonoMethod method);
std::string_view TextOf(GifPalette palette);
ShortGifRule ParseShortGif(std::string_view text);
Fitting ParseFitting(std::string_view text);
GifPalette ParseGifPalette(std::string_view text);
// "first", "spread" or four frame numbers "N,N,N,N".
void ParseFrames(std::string_view text, StripOptions& options);
std::string FramesText(const StripOptions& options);
// "own", "WxH" or a phone preset: screensaver 101x64, logo 101x46, ems72 72x32, ems16 16x16.
void ParseSize(std::string_view text, StripOptions& options);
std::string SizeText(const StripOptions& options);
// "exact", "threshold" or "threshold=N" (N from 0 to 255), "floyd", "atkinson", "ordered4", "ordered8".
void ParseMono(std::string_view text, StripOptions& options);
std::string MonoText(const StripOptions& options);
