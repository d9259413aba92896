#include "PixelMemory.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

bool Mapped(std::size_t size) { return size >= SystemMappedBytes; }

// Fresh zero pages from the system, or nullptr.
void* MapSystemBytes(std::size_t size) {
#if defined(__linux__)
  // No huge-page hint: where the system compacts memory to follow one, the
  // first big picture of a run waits for it (an 8192 x 8192 24-bit Open
  // took 1.7 s instead of 0.5 s), and pages are made as they are written.
  void* data = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return data == MAP_FAILED ? nullptr : data;
#else
  return std::calloc(size, 1);
#endif
}

void FreeBytes(void* data, std::size_t size) {
  if (data == nullptr) return;
#if defined(__linux__)
  if (Mapped(size)) {
    ::munmap(data, size);
    return;
  }
#endif
  std::free(data);
}

}  // namespace

TPixelBytes::TPixelBytes(std::size_t size, TPixelFill fill) {
  if (size == 0) return;
  void* data = Mapped(size)                 ? MapSystemBytes(size)
               : fill == TPixelFill::pfZero ? std::calloc(size, 1)
                                            : std::malloc(size);
  if (data == nullptr) throw std::bad_alloc();
  FData = static_cast<std::uint8_t*>(data);
  FSize = size;
}

TPixelBytes::TPixelBytes(const TPixelBytes& other) : TPixelBytes(other.FSize, TPixelFill::pfLeaveUnset) {
  if (FSize > 0) std::memcpy(FData, other.FData, FSize);
}

TPixelBytes::~TPixelBytes() { FreeBytes(FData, FSize); }

void TPixelBytes::Swap(TPixelBytes& other) noexcept {
  std::swap(FData, other.FData);
  std::swap(FSize, other.FSize);
}

bool operator==(const TPixelBytes& a, const TPixelBytes& b) {
  return a.FSize == b.FSize && (a.FSize == 0 || std::memcmp(a.FData, b.FData, a.FSize) == 0);
}

void AllocatePixels(TPixelBytes& bits, std::size_t size, TPixelFill fill) { bits = TPixelBytes(size, fill); }
