// AnimationOptions: what the user chose for the looping GIF built from the
// four frames of a strip. The defaults give the plain animation: every frame
// shows for 30 hundredths of a second, the animation loops forever, frames
// are reduced to the 216-colour cube and written whole. The compact palette
// and the optimised frames show exactly the same pictures in fewer bytes.
#pragma once

// The colours of the animation's frames: the fixed 216-colour cube as each
// frame's own table, or the smallest global table of the colours the frames
// use (two entries for a black-and-white strip).
enum class GifPalette { Cube, Compact };

struct AnimationOptions {
  int Delay = 30;      // hundredths of a second per frame
  int LoopCount = 0;   // 0: loop forever
  GifPalette Palette = GifPalette::Cube;
  bool Optimise = false;  // frames after the first written as the area that changed
  bool operator==(const AnimationOptions&) const = default;
};
