#include "GifWriteHelpers.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "GIFFrameEncoding.h"
#include "MemoryStream.h"
#include "TestFiles.h"

void AddColors(TGIFColorMap& map, const std::vector<std::uint32_t>& colors) {
  for (std::uint32_t c : colors) map.AddColor(RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF));
}

TGIFSubImage& AddFrame(TGIFImage& image, int width, int height, const TBytes& pixels,
                       const std::vector<std::uint32_t>& localColors, int left, int top) {
  TGIFSubImage& frame = image.Frames().Add(std::make_unique<TGIFSubImage>(&image));
  frame.SetBounds(left, top, width, height);
  if (!pixels.empty()) std::memcpy(frame.Pixels(), pixels.data(), pixels.size());
  AddColors(frame.LocalMap(), localColors);
  return frame;
}

TBytes ImageDataOf(const TGIFSubImage& frame) {
  TMemoryStream stream;
  EncodeFrameData(frame, stream);
  return stream.Bytes();
}

TBytes Saved(TGIFImage& image) {
  TMemoryStream stream;
  image.SaveToStream(stream);
  return stream.Bytes();
}

std::vector<std::pair<std::string, TBytes>> TestGifFiles() {
  std::vector<std::pair<std::string, TBytes>> files;
  for (const char* folder : {KORVANE_GIF_SEED_DIR, KORVANE_GIF_DATA_DIR}) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
      files.emplace_back(entry.path().filename().string(), ReadWholeFile(entry.path().string()));
  }
  std::sort(files.begin(), files.end());
  return files;
}

TBytes GifDataFile(const std::string& name) { return ReadWholeFile(std::string(KORVANE_GIF_DATA_DIR) + "/" + name); }
