#include "PixelMemory.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

// Below this, buffers come from the ordinary heap and are cheap to make.
constexpr std::size_t HugePageWorthy = std::size_t{4} << 20;

void AdviseHugePages(const std::uint8_t* data, std::size_t size) {
#if defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t PageMask = 4095;
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = start & ~PageMask;
  // Only a hint: where the system cannot follow it, nothing changes.
  madvise(reinterpret_cast<void*>(first), start + size - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

}  // namespace

void AllocatePixels(TPixelBytes& bits, std::size_t size, TPixelFill fill) {
  bits.clear();
  if (size >= HugePageWorthy) {
    bits.shrink_to_fit();
    bits.reserve(size);
    AdviseHugePages(bits.data(), size);
  }
  if (fill == TPixelFill::pfZero)
    bits.resize(size, 0);
  else
    bits.resize(size);
}
