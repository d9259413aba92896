// BMP reading and writing against memcpy of the same bytes: a 4096 x 4096
// picture at 24 bits and at 1 bit, and an RLE8 file of the same size. Each
// reader benchmark reports the file's bytes per second; the memcpy benchmarks
// copy exactly those bytes, so the ratio reads straight off the output: Memcpy
// into a buffer already in use, MemcpyFresh into one just allocated (as every
// reader must fill a new picture).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "BmpReader.h"
#include "BmpWriter.h"
#include "MemoryStream.h"

namespace {

constexpr int Side = 4096;

void PutDWord(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A BMP file around the given pixel data: 40-byte header, optional colour table.
std::vector<std::uint8_t> BmpFile(int bitCount, std::uint32_t compression, const std::vector<std::uint8_t>& table,
                                  const std::vector<std::uint8_t>& pixels) {
  std::vector<std::uint8_t> bytes = {'B', 'M'};
  const auto offset = static_cast<std::uint32_t>(54 + table.size());
  PutDWord(bytes, static_cast<std::uint32_t>(offset + pixels.size()));
  PutDWord(bytes, 0);
  PutDWord(bytes, offset);
  for (const std::uint32_t field : {40u, static_cast<std::uint32_t>(Side), static_cast<std::uint32_t>(Side),
                                    1u | (static_cast<std::uint32_t>(bitCount) << 16), compression,
                                    static_cast<std::uint32_t>(pixels.size()), 0u, 0u,
                                    static_cast<std::uint32_t>(table.size() / 4), 0u})
    PutDWord(bytes, field);
  bytes.insert(bytes.end(), table.begin(), table.end());
  bytes.insert(bytes.end(), pixels.begin(), pixels.end());
  return bytes;
}

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  std::uint32_t state = 12345;
  for (std::uint8_t& b : bytes) {
    state = state * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(state >> 24);
  }
  return bytes;
}

const std::vector<std::uint8_t>& File24() {
  static const std::vector<std::uint8_t> file = BmpFile(24, 0, {}, Pattern(std::size_t{Side} * Side * 3));
  return file;
}

const std::vector<std::uint8_t>& File1() {
  static const std::vector<std::uint8_t> file = BmpFile(1, 0, {0, 0, 0, 0, 255, 255, 255, 0}, Pattern(std::size_t{Side} * Side / 8));
  return file;
}

// RLE8 rows that mix repeated runs of 1 to 64 pixels with absolute runs of 16.
const std::vector<std::uint8_t>& FileRle8() {
  static const std::vector<std::uint8_t> file = [] {
    std::vector<std::uint8_t> table;
    for (int i = 0; i < 256; ++i) table.insert(table.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 0, 0});
    const std::vector<std::uint8_t> noise = Pattern(std::size_t{Side} * Side);
    std::vector<std::uint8_t> codes;
    std::size_t n = 0;
    for (int y = 0; y < Side; ++y) {
      for (int x = 0; x < Side;) {
        const std::uint8_t r = noise[n++ % noise.size()];
        if (r & 1) {
          const int run = std::min(Side - x, 1 + (r >> 2));
          codes.insert(codes.end(), {static_cast<std::uint8_t>(run), r});
          x += run;
        } else {
          const int run = std::min(Side - x, 16);
          codes.insert(codes.end(), {0, static_cast<std::uint8_t>(run)});
          for (int i = 0; i < run; ++i) codes.push_back(noise[n++ % noise.size()]);
          x += run;
        }
      }
      codes.insert(codes.end(), {0, 0});
    }
    codes.insert(codes.end(), {0, 1});
    return BmpFile(8, 1, table, codes);
  }();
  return file;
}

void Memcpy(benchmark::State& state, const std::vector<std::uint8_t>& file) {
  std::vector<std::uint8_t> target(file.size());
  for (auto _ : state) {
    std::memcpy(target.data(), file.data(), file.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(file.size()));
}

// The least any reader must do: copy the bytes into memory it has just been given.
void MemcpyFresh(benchmark::State& state, const std::vector<std::uint8_t>& file) {
  for (auto _ : state) {
    std::vector<std::uint8_t> target(file.begin(), file.end());
    benchmark::DoNotOptimize(target.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(file.size()));
}

void Read(benchmark::State& state, const std::vector<std::uint8_t>& file) {
  TMemoryStream stream(file);
  for (auto _ : state) {
    stream.SetPosition(0);
    TBmpImage image = ReadBmp(stream);
    benchmark::DoNotOptimize(image.Image.Bits().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(file.size()));
}

// Writes the 1-bit file of the picture read from the file; bytes counted are those of the source pixels.
void Write(benchmark::State& state, const std::vector<std::uint8_t>& file) {
  TMemoryStream in(file);
  const TBmpImage image = ReadBmp(in);
  TMemoryStream out;
  for (auto _ : state) {
    out.Clear();
    WriteMonochromeBmp(image.Image, out);
    benchmark::DoNotOptimize(out.Bytes().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(image.Image.Bits().size()));
}

BENCHMARK_CAPTURE(Memcpy, 24bit, File24())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MemcpyFresh, 24bit, File24())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Read, 24bit, File24())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Write, 24bit, File24())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Memcpy, 1bit, File1())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MemcpyFresh, 1bit, File1())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Read, 1bit, File1())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Write, 1bit, File1())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Memcpy, rle8, FileRle8())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Read, rle8, FileRle8())->Unit(benchmark::kMillisecond);

}  // namespace
