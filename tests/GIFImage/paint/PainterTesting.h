// Animations for the painter tests, built as GIF bytes and read back: each
// frame a block of one colour at its place, with its delay and disposal in a
// graphic control extension and, where asked, a looping extension before it.
// Also the fixture that puts fake thread services in place for a test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "FakeThreadServices.h"
#include "GIFImage.h"
#include "GIFPainter.h"
#include "GIFPainterList.h"

// The global table of every test animation; its entry 4 is the background.
// Frames are blocks of one colour unless they bring their own pixels.
inline const std::vector<std::uint32_t> AnimationColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF,
                                                            0x808080, 0x000000, 0xFFFF00, 0x00FFFF};
inline constexpr int BackgroundEntry = 4;

struct TAnimFrame {
  int Index = 0;          // the colour index that fills the frame
  int Delay = -1;         // -1: no graphic control extension
  int Disposal = 0;
  TRect Place{};          // empty: the whole screen
  int LoopCount = -1;     // 0 or more: a looping extension before the frame
  bool Empty = false;     // cleared after reading: no pixels
  int Transparent = -1;   // a transparent index (with Index leaves the frame see-through)
  std::vector<std::uint8_t> Pixels{};  // the frame's indices row by row; empty: all Index
};

std::unique_ptr<TGIFImage> Animation(int width, int height, const std::vector<TAnimFrame>& frames);
// Frames of the same delay and disposal covering the screen, colours 0, 1, 2...
std::vector<TAnimFrame> Frames(int count, int delay = -1, int disposal = 0);

// The colour of entry i of the animations' table.
TColor Entry(int index);

class TPainterTest : public ::testing::Test {
protected:
  TPainterTest() { SetPainterServices(&Services); }
  ~TPainterTest() override { SetPainterServices(nullptr); }

  // Makes and begins a painter of the document onto the canvas, records the
  // frames it shows, and runs its hand-overs until it has finished.
  void Play(TGIFImage& document, TCanvas& canvas, std::uint16_t options, const TRect& rect);
  // Runs hand-overs until the document has no painter left.
  bool Finished(TGIFImage& document) {
    return Services.ServiceUntil([&] { return document.Painters().Count() == 0; });
  }
  // Records each frame shown (in OnAfterFrame).
  void RecordFrames(TGIFImage& document);

  TFakeThreadServices Services;
  std::vector<int> Shown;
};
