// TPixelBytes and AllocatePixels: the memory behind a TPixelImage's pixel rows. Large
// buffers come straight from the system as fresh pages, which are zero until
// first written and cost nothing until then: a zero-filled picture is not
// filled by a loop, and the parts of a big picture that are never written
// (the rows a short file leaves out, the pixels no run of a run-length file
// reaches) take no memory. A reader that writes every byte itself may skip
// the zero fill of a small buffer.
#pragma once

#include <cstddef>
#include <cstdint>

// Buffers of this size and more are mapped from the system.
inline constexpr std::size_t SystemMappedBytes = std::size_t{4} << 20;

enum class TPixelFill { pfZero, pfLeaveUnset };

// A block of bytes of a fixed size, copied whole; no byte is touched by a
// loop when it is made.
class TPixelBytes {
public:
  TPixelBytes() = default;
  // Raises std::bad_alloc when the memory cannot be had.
  TPixelBytes(std::size_t size, TPixelFill fill);
  TPixelBytes(const TPixelBytes& other);
  TPixelBytes(TPixelBytes&& other) noexcept { Swap(other); }
  TPixelBytes& operator=(TPixelBytes other) noexcept {
    Swap(other);
    return *this;
  }
  ~TPixelBytes();

  std::uint8_t* data() { return FData; }
  const std::uint8_t* data() const { return FData; }
  std::size_t size() const { return FSize; }
  bool empty() const { return FSize == 0; }
  std::uint8_t* begin() { return FData; }
  std::uint8_t* end() { return FData + FSize; }
  const std::uint8_t* begin() const { return FData; }
  const std::uint8_t* end() const { return FData + FSize; }
  std::uint8_t& operator[](std::size_t i) { return FData[i]; }
  const std::uint8_t& operator[](std::size_t i) const { return FData[i]; }

  friend bool operator==(const TPixelBytes& a, const TPixelBytes& b);

private:
  void Swap(TPixelBytes& other) noexcept;

  std::uint8_t* FData = nullptr;
  std::size_t FSize = 0;
};

// Gives bits exactly size bytes of new memory: all zero, or unset for a
// caller that writes them all.
void AllocatePixels(TPixelBytes& bits, std::size_t size, TPixelFill fill);

// True when a fresh buffer of this size holds zeros even when asked for
// unset bytes (it comes mapped from the system): a reader need not zero
// what its file leaves out.
bool FreshBytesAreZero(std::size_t size);

// The bytes that all TPixelBytes hold (the pixels of bitmaps and of GIF
// frames): now, and at most since the peak was last reset. Unlike the memory
// the system counts, these figures are the same on every machine.
struct TPixelBytesHeld {
  std::size_t Now = 0;
  std::size_t Peak = 0;
};
TPixelBytesHeld PixelBytesHeld();
// The peak starts again from what is held now.
void ResetPixelBytesPeak();
