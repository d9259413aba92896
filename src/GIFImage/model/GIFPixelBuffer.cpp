#include "GIFPixelBuffer.h"

#include <cstdlib>
#include <cstring>

#include "Exception.h"
#include "PlatformMessages.h"

void TFreeBytes::operator()(std::uint8_t* bytes) const { std::free(bytes); }

TPixelBuffer AllocatePixelBuffer(std::size_t count, std::uint8_t fill) {
  TPixelBuffer buffer(static_cast<std::uint8_t*>(std::calloc(count, 1)));
  if (!buffer) throw EOutOfResources(SOutOfResources);
  if (fill != 0) std::memset(buffer.get(), fill, count);
  return buffer;
}
