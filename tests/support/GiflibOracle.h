// giflib as an independent oracle for tests and benchmarks: it encodes
// documents that our decoder must read and decodes files to the indices our
// decoder and our encoders must match. The sample pictures both use are in
// SamplePictures.h.
#pragma once

#include <cstdint>
#include <vector>

#include "SamplePictures.h"

struct TOracleFrame {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Interlaced = false;
  std::vector<std::uint32_t> LocalColors;  // 0xRRGGBB, a power of two of them or none
  TBytes Indices;                          // Width * Height, rows top to bottom
  // From the frame's graphic control extension when decoded; -1 without one
  // (the delay) or without transparency (the index).
  int Delay = -1;
  int TransparentIndex = -1;
  int Disposal = -1;  // from the graphic control extension when decoded
};

// An extension block as giflib hands it over: its label and its data
// sub-blocks, before the frame of index BeforeFrame (the frame count for
// those after the last image). giflib leaves out extensions without data.
struct TOracleExtension {
  int BeforeFrame = 0;
  int Label = 0;
  std::vector<TBytes> Blocks;
  friend bool operator==(const TOracleExtension&, const TOracleExtension&) = default;
};

struct TOracleGif {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> GlobalColors;  // 0xRRGGBB, a power of two of them or none
  std::vector<TOracleFrame> Frames;
  // The "NETSCAPE2.0" loop count when decoded; -1 without that extension.
  int LoopCount = -1;
};

// What giflib read: the document and its extensions in file order.
struct TOracleDecodedGif : TOracleGif {
  std::vector<TOracleExtension> Extensions;
};

// Raises std::runtime_error with giflib's error text when it fails.
TBytes GiflibEncode(const TOracleGif& gif);
TOracleDecodedGif GiflibDecode(const TBytes& file);

