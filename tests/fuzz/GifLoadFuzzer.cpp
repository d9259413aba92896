// libFuzzer target: any bytes handed to the GIF reader, then the document
// copied. Warnings are heard and dropped; the only exception allowed out of
// reading is GIFException.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "GIFImage.h"
#include "MemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  TGIFImage image;
  image.WarningHandler = [](TPersistent*, std::uint8_t, const std::string&) {};
  try {
    image.LoadFromStream(stream);
  } catch (const GIFException&) {
    if (stream.Position() != 0) __builtin_trap();  // a failed read rewinds
  }
  const auto copy = image.Clone();
  return 0;
}
