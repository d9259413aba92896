// giflib as an independent oracle for tests and benchmarks: it encodes
// documents that our decoder must read and decodes files to the indices our
// decoder must match. Also the sample pictures both use: photo-like noise and
// flat areas.
#pragma once

#include <cstdint>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

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
};

struct TOracleGif {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> GlobalColors;  // 0xRRGGBB, a power of two of them or none
  std::vector<TOracleFrame> Frames;
  // The "NETSCAPE2.0" loop count when decoded; -1 without that extension.
  int LoopCount = -1;
};

// Raises std::runtime_error with giflib's error text when it fails.
TBytes GiflibEncode(const TOracleGif& gif);
TOracleGif GiflibDecode(const TBytes& file);

// Smooth colour fields with noise in every pixel: short LZW strings, like a
// dithered photograph. Indices below colors.
TBytes PhotoLikeIndices(int width, int height, int colors, unsigned seed);
// Large areas of one colour with a few shapes: long LZW strings.
TBytes FlatIndices(int width, int height, int colors);
std::vector<std::uint32_t> SpreadColors(int count);
