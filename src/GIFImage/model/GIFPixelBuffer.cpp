#include "GIFPixelBuffer.h"

#include <new>

#include "Exception.h"
#include "PlatformMessages.h"

TPixelBuffer AllocatePixelBuffer(std::size_t count) {
  TPixelBuffer buffer;
  try {
    buffer.FBytes = TPixelBytes(count, TPixelFill::pfZero);
  } catch (const std::bad_alloc&) {
    throw EOutOfResources(SOutOfResources);
  }
  return buffer;
}
