#include "GifReadHelpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "GifJson.h"
#include "MemoryStream.h"
#include "OneByteStream.h"

namespace {

// Seeds larger than this would slow the fuzzer down more than they teach it.
constexpr std::size_t MaxSeedBytes = 16 * 1024;

// With KORVANE_GIF_SEED_DIR set, every file the tests read is kept there to
// seed the GIF fuzz targets (the target regenerate-gif-fuzz-seeds).
void KeepAsFuzzSeed(const TBytes& bytes) {
  const char* dir = std::getenv("KORVANE_GIF_SEED_DIR");
  if (dir == nullptr || bytes.size() > MaxSeedBytes) return;
  const std::string text(bytes.begin(), bytes.end());
  char name[32];
  std::snprintf(name, sizeof name, "%016zx.gif", std::hash<std::string>{}(text));
  std::ofstream((std::filesystem::path(dir) / name).string(), std::ios::binary) << text;
}

}  // namespace

TReadOutcome ReadGif(const TBytes& bytes, bool oneByteAtATime, std::int64_t start, bool describe,
                     int framesDecodedOnLoad) {
  KeepAsFuzzSeed(bytes);
  TReadOutcome outcome;
  outcome.Image = std::make_unique<TGIFImage>();
  outcome.Image->SetFramesDecodedOnLoad(framesDecodedOnLoad);
  outcome.Image->SetWarningHandler([&outcome](TPersistent*, std::uint8_t severity, const std::string& message) {
    EXPECT_EQ(severity, 1);
    outcome.Warnings.push_back(message);
  });
  TMemoryStream memory(bytes);
  memory.SetPosition(start);
  TOneByteAtATimeStream slow(memory);
  TStream& stream = oneByteAtATime ? static_cast<TStream&>(slow) : memory;
  try {
    outcome.Image->LoadFromStream(stream);
  } catch (const GIFException& error) {
    outcome.Error = error.Message();
  }
  outcome.Position = memory.Position();
  if (describe) outcome.Json = GifDocumentJson(*outcome.Image);
  return outcome;
}

TReadOutcome ReadGifBothWays(const TBytes& bytes, std::int64_t start) {
  TReadOutcome fast = ReadGif(bytes, false, start);
  const TReadOutcome slow = ReadGif(bytes, true, start);
  EXPECT_EQ(fast.Json, slow.Json) << "one byte at a time reads another document";
  EXPECT_EQ(fast.Error, slow.Error) << "one byte at a time fails otherwise";
  EXPECT_EQ(fast.Warnings, slow.Warnings) << "one byte at a time warns otherwise";
  EXPECT_EQ(fast.Position, slow.Position) << "one byte at a time stops elsewhere";
  return fast;
}

std::vector<std::uint32_t> Greys(int n) {
  std::vector<std::uint32_t> colors;
  for (int i = 0; i < n; ++i) {
    const std::uint32_t level = static_cast<std::uint32_t>(i * 255 / std::max(1, n - 1));
    colors.push_back(level * 0x010101u);
  }
  return colors;
}

TBytes Ramp(int width, int height, int n) {
  TBytes indices(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i % n);
  return indices;
}

TBytes SimpleGif(int width, int height, const TBytes& indices, int colors) {
  int bits = 1;
  while ((1 << bits) < colors) ++bits;
  const auto w = static_cast<std::uint16_t>(width);
  const auto h = static_cast<std::uint16_t>(height);
  return TGifBuilder()
      .Header(w, h, static_cast<std::uint8_t>(0x80 | (bits - 1)))
      .ColorTable(Greys(1 << bits))
      .Image(w, h, indices, static_cast<std::uint8_t>(std::max(2, bits)))
      .Trailer()
      .Bytes();
}
