// StripOptions: what the user chose for turning a GIF into a BMX strip.
// The steps run in this order: choose the frames, compose them as the
// animation shows them (or take their own bitmaps as stored), scale them to
// the target size, make them black and white. The defaults are the plain
// strip: the first four frames at the GIF's own size, white only where a
// pixel is exactly white.
#pragma once

#include <array>

// Which four frames fill the bands: frames 0 to 3, four spread evenly
// through the animation, or four given numbers (counted from 0).
enum class FrameChoice { FirstFour, Spread, List };

// A GIF of fewer than four frames: refused, or its frames repeated to fill
// the four bands (a a a a, a b a b, a b c a).
enum class ShortGifRule { Refuse, Repeat };

// How a picture goes into a target of another shape: whole and centred on
// white, covering the target with the centre cropped, or stretched.
enum class Fitting { Fit, Fill, Stretch };

// How colours become black and white.
enum class MonoMethod { ExactWhite, Threshold, FloydSteinberg, Atkinson, Ordered4x4, Ordered8x8 };

struct StripOptions {
  bool AsStored = false;  // the frames' own bitmaps at the band's top-left
  FrameChoice Frames = FrameChoice::FirstFour;
  std::array<int, 4> FrameList{0, 1, 2, 3};  // with FrameChoice::List, counted from 0
  ShortGifRule ShortGif = ShortGifRule::Refuse;
  int TargetWidth = 0, TargetHeight = 0;  // 0 x 0: the GIF's own size
  Fitting Fit = Fitting::Fit;
  MonoMethod Mono = MonoMethod::ExactWhite;
  int Threshold = 128;  // 0..255, with MonoMethod::Threshold
  bool Invert = false;
  bool operator==(const StripOptions&) const = default;
};
