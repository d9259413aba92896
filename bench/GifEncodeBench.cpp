// Encoding speed of the GIF writer beside giflib's EGifSpew on the same
// frames in the same run: a photo-like and a flat 2048 x 2048 picture and a
// 100-frame 640 x 480 animation, by our LZW encoder ("korvane") and our
// run-length encoder ("korvane-rle"). Each run reports Mpx/s of index input
// and the bytes written; at the end the speed and size ratios against giflib
// are printed (medians when repetitions are asked for). Before timing, giflib
// decodes each writer's output once and must give the input's indices back.
//
//   gif_encode_bench [benchmark flags]
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GIFImage.h"
#include "GiflibOracle.h"
#include "MemoryStream.h"
#include "RatioReporter.h"

namespace {

struct TInput {
  std::string Name;
  TOracleGif Gif;
  double MegaPixels = 0;
};

std::vector<TInput> Inputs() {
  std::vector<TInput> inputs;
  inputs.push_back({"photo-2048x2048", {2048, 2048, SpreadColors(256), {{0, 0, 2048, 2048, false, {}, PhotoLikeIndices(2048, 2048, 256, 1)}}}});
  inputs.push_back({"flat-2048x2048", {2048, 2048, SpreadColors(4), {{0, 0, 2048, 2048, false, {}, FlatIndices(2048, 2048, 4)}}}});
  TOracleGif animation{640, 480, SpreadColors(64), {}};
  for (int i = 0; i < 100; ++i)
    animation.Frames.push_back({0, 0, 640, 480, false, {}, PhotoLikeIndices(640, 480, 64, static_cast<unsigned>(10 + i))});
  inputs.push_back({"animation-100x640x480", std::move(animation)});
  for (TInput& input : inputs)
    for (const TOracleFrame& frame : input.Gif.Frames) input.MegaPixels += frame.Width * frame.Height / 1e6;
  return inputs;
}

// The same frames as our document: the global table, frames without tables.
std::unique_ptr<TGIFImage> Document(const TOracleGif& gif, std::uint8_t encoding) {
  auto image = std::make_unique<TGIFImage>();
  image->SetEncoding(encoding);
  for (std::uint32_t c : gif.GlobalColors) image->GlobalColorMap().AddColor(RGB(c >> 16, (c >> 8) & 0xFF, c & 0xFF));
  for (const TOracleFrame& frame : gif.Frames) {
    TGIFSubImage& ours = image->Frames().Add(std::make_unique<TGIFSubImage>(image.get()));
    ours.SetBounds(frame.Left, frame.Top, frame.Width, frame.Height);
    std::memcpy(ours.Pixels(), frame.Indices.data(), frame.Indices.size());
  }
  return image;
}

int WriteToVector(GifFileType* gif, const GifByteType* bytes, int count) {
  auto* out = static_cast<TBytes*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + count);
  return count;
}

// A giflib file ready for EGifSpew, holding copies of the frames (EGifSpew
// closes the file and frees them).
GifFileType* GiflibFile(const TOracleGif& gif, TBytes& out) {
  int error = 0;
  GifFileType* file = EGifOpen(&out, WriteToVector, &error);
  file->SWidth = gif.Width;
  file->SHeight = gif.Height;
  file->SColorResolution = 8;
  file->SBackGroundColor = 0;
  std::vector<GifColorType> colors;
  for (std::uint32_t c : gif.GlobalColors)
    colors.push_back({static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8), static_cast<GifByteType>(c)});
  file->SColorMap = GifMakeMapObject(static_cast<int>(colors.size()), colors.data());
  for (const TOracleFrame& frame : gif.Frames) {
    SavedImage* image = GifMakeSavedImage(file, nullptr);
    image->ImageDesc.Left = frame.Left;
    image->ImageDesc.Top = frame.Top;
    image->ImageDesc.Width = frame.Width;
    image->ImageDesc.Height = frame.Height;
    image->RasterBits = static_cast<GifPixelType*>(std::malloc(frame.Indices.size()));
    std::memcpy(image->RasterBits, frame.Indices.data(), frame.Indices.size());
  }
  return file;
}

TBytes EncodeKorvane(TGIFImage& image) {
  TMemoryStream stream;
  image.SaveToStream(stream);
  return stream.TakeBytes();
}

TBytes EncodeGiflib(const TOracleGif& gif) {
  TBytes out;
  if (EGifSpew(GiflibFile(gif, out)) == GIF_ERROR) return {};
  return out;
}

// giflib must read every writer's output back to the input's indices.
bool DecodesToTheInput(const TBytes& file, const TOracleGif& gif) {
  const TOracleGif back = GiflibDecode(file);
  if (back.Frames.size() != gif.Frames.size()) return false;
  for (std::size_t i = 0; i < gif.Frames.size(); ++i)
    if (back.Frames[i].Indices != gif.Frames[i].Indices) return false;
  return true;
}

void SetCounters(benchmark::State& state, const TInput& input, std::size_t bytes) {
  state.counters["Mpx/s"] = benchmark::Counter(input.MegaPixels, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["bytes"] = static_cast<double>(bytes);
}

void WriteKorvane(benchmark::State& state, const TInput* input, std::uint8_t encoding) {
  const std::unique_ptr<TGIFImage> image = Document(input->Gif, encoding);
  TMemoryStream stream;
  for (auto _ : state) {
    stream.Clear();
    image->SaveToStream(stream);
    benchmark::DoNotOptimize(stream.Bytes().data());
  }
  SetCounters(state, *input, stream.Bytes().size());
}

void WriteGiflib(benchmark::State& state, const TInput* input) {
  TBytes out;
  for (auto _ : state) {
    state.PauseTiming();
    out.clear();
    GifFileType* file = GiflibFile(input->Gif, out);
    state.ResumeTiming();
    if (EGifSpew(file) == GIF_ERROR) state.SkipWithError("EGifSpew failed");
    benchmark::DoNotOptimize(out.data());
  }
  SetCounters(state, *input, out.size());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const std::vector<TInput> inputs = Inputs();
  for (const TInput& input : inputs) {
    for (std::uint8_t encoding : {0, 1}) {
      if (!DecodesToTheInput(EncodeKorvane(*Document(input.Gif, encoding)), input.Gif)) {
        std::fprintf(stderr, "%s: our encoding %d does not decode to the input\n", input.Name.c_str(), encoding);
        return 1;
      }
    }
    if (!DecodesToTheInput(EncodeGiflib(input.Gif), input.Gif)) {
      std::fprintf(stderr, "%s: giflib's encoding does not decode to the input\n", input.Name.c_str());
      return 1;
    }
    benchmark::RegisterBenchmark(("encode/" + input.Name + "/korvane").c_str(), WriteKorvane, &input, std::uint8_t{0})
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("encode/" + input.Name + "/korvane-rle").c_str(), WriteKorvane, &input, std::uint8_t{1})
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("encode/" + input.Name + "/giflib").c_str(), WriteGiflib, &input)
        ->Unit(benchmark::kMillisecond);
  }
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
