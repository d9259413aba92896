// Helpers of the 1-bit picture file tests: pictures drawn as text ('#' black,
// '.' white, one string a row), files as bytes or text, and the road every
// test reads and writes by: the format registry and a TBitmap.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Exception.h"
#include "MemoryStream.h"
#include "OneByteStream.h"
#include "PictureFileFormat.h"

using Bytes = std::vector<std::uint8_t>;
using Pattern = std::vector<std::string>;

inline Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A full-colour bitmap of the pattern, so that writers go through their own
// black-and-white step.
inline TBitmap BitmapOf(const Pattern& rows) {
  TPixelImage image(rows.empty() ? 0 : static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 32);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      image.SetPixel(x, y, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#' ? clBlack : clWhite);
  TBitmap bitmap;
  bitmap.SetImage(std::move(image));
  return bitmap;
}

// '#' for black, '.' for white, '?' for any other colour.
inline Pattern PatternOf(const TBitmap& bitmap) {
  Pattern rows;
  const TPixelImage& image = bitmap.Image();
  for (int y = 0; y < image.Height(); ++y) {
    std::string row;
    for (int x = 0; x < image.Width(); ++x) {
      const TColor c = image.GetPixel(x, y);
      row += c == clBlack ? '#' : c == clWhite ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

// A pattern of the size whose pixels follow a fixed scramble, so that rows
// and byte edges all differ.
inline Pattern ScrambledPattern(int width, int height) {
  Pattern rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += ((x * 7 + y * 13 + (x * y) % 5) % 3 == 0) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

// Test names of cases that pair a format with a picture size: "wbmp_10x3".
struct TFormatAndSize {
  TPictureFileFormat Format;
  int Width;
  int Height;
};

inline std::string FormatAndSizeName(const testing::TestParamInfo<TFormatAndSize>& info) {
  std::string name = FormatInfo(info.param.Format).Name;
  for (char& c : name)
    if (c == '-') c = '_';
  return name + "_" + std::to_string(info.param.Width) + "x" + std::to_string(info.param.Height);
}

// With KORVANE_PICTURE_SEED_DIR set, every file the tests read is kept in
// its format's seed folder there, to seed the fuzzers.
inline void KeepAsSeed(TPictureFileFormat format, const Bytes& bytes) {
  const char* dir = std::getenv("KORVANE_PICTURE_SEED_DIR");
  if (dir == nullptr || bytes.empty()) return;
  const std::string name = FormatInfo(format).Name == "pbm-plain" ? "pbm" : FormatInfo(format).Name;
  const std::filesystem::path folder = std::filesystem::path(dir) / ("corpus-" + name + "-seed");
  std::filesystem::create_directories(folder);
  const std::string text(bytes.begin(), bytes.end());
  char file[32];
  std::snprintf(file, sizeof file, "%016zx", std::hash<std::string>{}(text));
  std::ofstream((folder / file).string(), std::ios::binary) << text;
}

inline Bytes Written(const TBitmap& picture, TPictureFileFormat format, const TPictureWriteOptions& options = {}) {
  TMemoryStream stream;
  WritePicture(picture, format, stream, options);
  return stream.Bytes();
}

// What reading a file gave: the picture, or the message it failed with.
struct TReadResult {
  Pattern Picture;
  std::string Message;
};

inline TReadResult ReadOnce(TPictureFileFormat format, TStream& stream) {
  TBitmap bitmap;
  try {
    ReadPicture(bitmap, format, stream);
  } catch (const Exception& error) {
    return {{}, error.Message()};
  }
  return {PatternOf(bitmap), ""};
}

// Reads the bytes twice, over a memory stream and over one that gives a byte
// a read; both must give the same picture or fail with the same message.
inline TReadResult ReadBothWays(TPictureFileFormat format, const Bytes& bytes) {
  KeepAsSeed(format, bytes);
  TMemoryStream whole(bytes);
  const TReadResult result = ReadOnce(format, whole);
  TOneByteAtATimeStream trickle(bytes);
  const TReadResult slow = ReadOnce(format, trickle);
  EXPECT_EQ(slow.Picture, result.Picture);
  EXPECT_EQ(slow.Message, result.Message);
  return result;
}

// 10 x 3: rows cross the byte edge at pixel 8; the last row is all black.
inline const Pattern Sample = {
    "#.##...##.",
    ".#..###..#",
    "##########",
};
// The same picture as the characters of NOL and NGG files (1 for black).
inline const std::string SampleCharacters = "1011000110" "0100111001" "1111111111";
