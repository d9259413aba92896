#include "GiflibOracle.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

struct TReadState {
  const TBytes* File;
  std::size_t At;
};

int WriteToVector(GifFileType* gif, const GifByteType* bytes, int count) {
  auto* out = static_cast<TBytes*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + count);
  return count;
}

int ReadFromVector(GifFileType* gif, GifByteType* bytes, int count) {
  auto* state = static_cast<TReadState*>(gif->UserData);
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), state->File->size() - state->At);
  std::memcpy(bytes, state->File->data() + state->At, n);
  state->At += n;
  return static_cast<int>(n);
}

[[noreturn]] void Fail(const char* what, int error) {
  const char* text = GifErrorString(error);
  throw std::runtime_error(std::string(what) + ": " + (text ? text : "unknown giflib error"));
}

ColorMapObject* MakeMap(const std::vector<std::uint32_t>& colors) {
  if (colors.empty()) return nullptr;
  std::vector<GifColorType> entries(colors.size());
  for (std::size_t i = 0; i < colors.size(); ++i)
    entries[i] = {static_cast<GifByteType>(colors[i] >> 16), static_cast<GifByteType>(colors[i] >> 8),
                  static_cast<GifByteType>(colors[i])};
  return GifMakeMapObject(static_cast<int>(colors.size()), entries.data());
}

std::vector<std::uint32_t> Colors(const ColorMapObject* map) {
  std::vector<std::uint32_t> colors;
  if (map == nullptr) return colors;
  for (int i = 0; i < map->ColorCount; ++i)
    colors.push_back((std::uint32_t{map->Colors[i].Red} << 16) | (std::uint32_t{map->Colors[i].Green} << 8) |
                     map->Colors[i].Blue);
  return colors;
}

void AddExtensions(std::vector<TOracleExtension>& extensions, int beforeFrame, const ExtensionBlock* blocks, int count) {
  for (int i = 0; i < count; ++i) {
    const ExtensionBlock& block = blocks[i];
    TBytes data(block.Bytes, block.Bytes + block.ByteCount);
    if (block.Function == CONTINUE_EXT_FUNC_CODE && !extensions.empty()) {
      extensions.back().Blocks.push_back(std::move(data));
    } else {
      extensions.push_back({beforeFrame, block.Function, {std::move(data)}});
    }
  }
}

void PutFrame(GifFileType* gif, const TOracleFrame& frame) {
  ColorMapObject* map = MakeMap(frame.LocalColors);
  const int ok = EGifPutImageDesc(gif, frame.Left, frame.Top, frame.Width, frame.Height, frame.Interlaced, map);
  GifFreeMapObject(map);
  if (ok == GIF_ERROR) Fail("EGifPutImageDesc", gif->Error);
  const auto putRow = [&](int y) {
    auto* row = const_cast<GifPixelType*>(frame.Indices.data() + static_cast<std::size_t>(y) * frame.Width);
    if (EGifPutLine(gif, row, frame.Width) == GIF_ERROR) Fail("EGifPutLine", gif->Error);
  };
  if (!frame.Interlaced) {
    for (int y = 0; y < frame.Height; ++y) putRow(y);
  } else {
    for (const auto& [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
      for (int y = first; y < frame.Height; y += step) putRow(y);
  }
  // giflib 5.2 keeps its own copy of a local table and never frees it.
  GifFreeMapObject(gif->Image.ColorMap);
  gif->Image.ColorMap = nullptr;
}

// The loop count of a "NETSCAPE2.0" block among a frame's extensions: the
// identifier block, then a sub-block 1, count low, count high.
void ReadLoopCount(const SavedImage& image, TOracleGif& gif) {
  for (int b = 0; b + 1 < image.ExtensionBlockCount; ++b) {
    const ExtensionBlock& id = image.ExtensionBlocks[b];
    const ExtensionBlock& data = image.ExtensionBlocks[b + 1];
    if (id.Function == APPLICATION_EXT_FUNC_CODE && id.ByteCount == 11 &&
        std::memcmp(id.Bytes, "NETSCAPE2.0", 11) == 0 && data.Function == CONTINUE_EXT_FUNC_CODE &&
        data.ByteCount >= 3 && data.Bytes[0] == 1)
      gif.LoopCount = data.Bytes[1] | (data.Bytes[2] << 8);
  }
}

}  // namespace

TBytes GiflibEncode(const TOracleGif& gif) {
  TBytes out;
  int error = 0;
  GifFileType* file = EGifOpen(&out, WriteToVector, &error);
  if (file == nullptr) Fail("EGifOpen", error);
  ColorMapObject* global = MakeMap(gif.GlobalColors);
  int bits = 1;
  while ((1 << bits) < static_cast<int>(gif.GlobalColors.size())) ++bits;
  const int ok = EGifPutScreenDesc(file, gif.Width, gif.Height, bits, 0, global);
  GifFreeMapObject(global);
  try {
    if (ok == GIF_ERROR) Fail("EGifPutScreenDesc", file->Error);
    for (const TOracleFrame& frame : gif.Frames) PutFrame(file, frame);
  } catch (...) {
    EGifCloseFile(file, &error);
    throw;
  }
  if (EGifCloseFile(file, &error) == GIF_ERROR) Fail("EGifCloseFile", error);
  return out;
}

TOracleDecodedGif GiflibDecode(const TBytes& bytes) {
  TReadState state{&bytes, 0};
  int error = 0;
  GifFileType* file = DGifOpen(&state, ReadFromVector, &error);
  if (file == nullptr) Fail("DGifOpen", error);
  if (DGifSlurp(file) == GIF_ERROR) {
    const int slurpError = file->Error;
    DGifCloseFile(file, &error);
    Fail("DGifSlurp", slurpError);
  }
  TOracleDecodedGif gif;
  gif.Width = file->SWidth;
  gif.Height = file->SHeight;
  gif.GlobalColors = Colors(file->SColorMap);
  for (int i = 0; i < file->ImageCount; ++i) {
    const SavedImage& image = file->SavedImages[i];
    TOracleFrame frame;
    frame.Left = image.ImageDesc.Left;
    frame.Top = image.ImageDesc.Top;
    frame.Width = image.ImageDesc.Width;
    frame.Height = image.ImageDesc.Height;
    frame.Interlaced = image.ImageDesc.Interlace;
    frame.LocalColors = Colors(image.ImageDesc.ColorMap);
    frame.Indices.assign(image.RasterBits, image.RasterBits + static_cast<std::size_t>(frame.Width) * frame.Height);
    GraphicsControlBlock control;
    if (DGifSavedExtensionToGCB(file, i, &control) == GIF_OK) {
      frame.Delay = control.DelayTime;
      frame.TransparentIndex = control.TransparentColor;
      frame.Disposal = control.DisposalMode;
    }
    ReadLoopCount(image, gif);
    gif.Frames.push_back(std::move(frame));
    AddExtensions(gif.Extensions, i, image.ExtensionBlocks, image.ExtensionBlockCount);
  }
  AddExtensions(gif.Extensions, file->ImageCount, file->ExtensionBlocks, file->ExtensionBlockCount);
  DGifCloseFile(file, &error);
  return gif;
}
