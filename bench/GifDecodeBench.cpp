// Decoding speed of the GIF reader beside giflib's DGifSlurp on the same bytes
// in the same run: a photo-like and a flat 2048 x 2048 picture, an interlaced
// 1024 x 1024 one, a 100-frame 640 x 480 animation and three phone-size
// 4-frame 100 x 64 animations in black and white, all written by giflib,
// plus any GIF files named on the command line. Each run reports Mpx/s of
// index output; at the end the ratio of our median to giflib's is printed.
//
//   gif_decode_bench [benchmark flags] [FILE.gif ...]
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GIFImage.h"
#include "GiflibOracle.h"
#include "MemoryStream.h"
#include "RatioReporter.h"

namespace {

struct TInput {
  std::string Name;
  TBytes Bytes;
  double MegaPixels = 0;
};

int ReadMemory(GifFileType* gif, GifByteType* bytes, int count) {
  auto* input = static_cast<std::pair<const TBytes*, std::size_t>*>(gif->UserData);
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), input->first->size() - input->second);
  std::memcpy(bytes, input->first->data() + input->second, n);
  input->second += n;
  return static_cast<int>(n);
}

// Pixels of index output per decode, counted by giflib itself.
double MegaPixelsOf(const TBytes& bytes) {
  const TOracleGif gif = GiflibDecode(bytes);
  double pixels = 0;
  for (const TOracleFrame& frame : gif.Frames) pixels += static_cast<double>(frame.Width) * frame.Height;
  return pixels / 1e6;
}

// Frame k of a phone animation: a grey ramp from left to right with a black
// disc at a place of its own, dithered to black and white (Floyd-Steinberg).
TBytes DitheredPhoneFrame(int k) {
  constexpr int W = 100;
  constexpr int H = 64;
  std::vector<double> grey(W * H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const int dx = x - (20 + 23 * k);
      const int dy = y - 32;
      grey[y * W + x] = dx * dx + dy * dy < 400 ? 0.0 : (x + 0.5 * y) / (W + 0.5 * H);
    }
  TBytes indices(W * H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const double old = grey[y * W + x];
      const double now = old < 0.5 ? 0.0 : 1.0;
      indices[y * W + x] = static_cast<std::uint8_t>(now);
      const double error = old - now;
      if (x + 1 < W) grey[y * W + x + 1] += error * 7 / 16;
      if (y + 1 < H) {
        if (x > 0) grey[(y + 1) * W + x - 1] += error * 3 / 16;
        grey[(y + 1) * W + x] += error * 5 / 16;
        if (x + 1 < W) grey[(y + 1) * W + x + 1] += error / 16;
      }
    }
  return indices;
}

TInput Generated(const std::string& name, const TOracleGif& gif) {
  TInput input{name, GiflibEncode(gif)};
  input.MegaPixels = MegaPixelsOf(input.Bytes);
  return input;
}

std::vector<TInput> GeneratedInputs() {
  std::vector<TInput> inputs;
  TOracleGif photo{2048, 2048, SpreadColors(256), {{0, 0, 2048, 2048, false, {}, PhotoLikeIndices(2048, 2048, 256, 1)}}};
  inputs.push_back(Generated("photo-2048x2048", photo));
  TOracleGif flat{2048, 2048, SpreadColors(4), {{0, 0, 2048, 2048, false, {}, FlatIndices(2048, 2048, 4)}}};
  inputs.push_back(Generated("flat-2048x2048", flat));
  TOracleGif interlaced{1024, 1024, SpreadColors(256),
                        {{0, 0, 1024, 1024, true, {}, PhotoLikeIndices(1024, 1024, 256, 2)}}};
  inputs.push_back(Generated("interlaced-1024x1024", interlaced));
  TOracleGif animation{640, 480, SpreadColors(64), {}};
  for (int i = 0; i < 100; ++i)
    animation.Frames.push_back({0, 0, 640, 480, false, {}, PhotoLikeIndices(640, 480, 64, static_cast<unsigned>(10 + i))});
  inputs.push_back(Generated("animation-100x640x480", animation));
  // Phone-size black-and-white animations, where the fixed cost of each
  // decode weighs most: a picture dithered to two colours with a disc moving
  // over it (the usual case), line art, and pure noise (the worst case).
  TOracleGif phone{100, 64, {0x000000, 0xFFFFFF}, {}};
  TOracleGif lineArt = phone;
  TOracleGif noise = phone;
  for (int i = 0; i < 4; ++i) {
    phone.Frames.push_back({0, 0, 100, 64, false, {}, DitheredPhoneFrame(i)});
    lineArt.Frames.push_back({0, 0, 100, 64, false, {}, FlatIndices(100, 64, 2)});
    noise.Frames.push_back({0, 0, 100, 64, false, {}, PhotoLikeIndices(100, 64, 2, static_cast<unsigned>(200 + i))});
  }
  inputs.push_back(Generated("phone-4x100x64", phone));
  inputs.push_back(Generated("phone-lineart-4x100x64", lineArt));
  inputs.push_back(Generated("phone-noise-4x100x64", noise));
  return inputs;
}

TInput FromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  TInput input{std::filesystem::path(path).filename().string(),
               TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())};
  input.MegaPixels = MegaPixelsOf(input.Bytes);
  return input;
}

void DecodeKorvane(benchmark::State& state, const TInput* input) {
  // The bytes are in memory before the clock starts, as giflib's are.
  TMemoryStream stream(input->Bytes);
  for (auto _ : state) {
    stream.SetPosition(0);
    TGIFImage image;
    image.LoadFromStream(stream);
    benchmark::DoNotOptimize(image.Frames()[0].Pixels());
  }
  state.counters["Mpx/s"] = benchmark::Counter(input->MegaPixels, benchmark::Counter::kIsIterationInvariantRate);
}

void DecodeGiflib(benchmark::State& state, const TInput* input) {
  for (auto _ : state) {
    std::pair<const TBytes*, std::size_t> source{&input->Bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&source, ReadMemory, &error);
    if (gif == nullptr || DGifSlurp(gif) == GIF_ERROR) state.SkipWithError("giflib cannot read the input");
    if (gif != nullptr) {
      benchmark::DoNotOptimize(gif->SavedImages);
      DGifCloseFile(gif, &error);
    }
  }
  state.counters["Mpx/s"] = benchmark::Counter(input->MegaPixels, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::vector<TInput> inputs = GeneratedInputs();
  for (int i = 1; i < argc; ++i) inputs.push_back(FromFile(argv[i]));
  for (const TInput& input : inputs) {
    benchmark::RegisterBenchmark(("decode/" + input.Name + "/korvane").c_str(), DecodeKorvane, &input)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("decode/" + input.Name + "/giflib").c_str(), DecodeGiflib, &input)
        ->Unit(benchmark::kMillisecond);
  }
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
