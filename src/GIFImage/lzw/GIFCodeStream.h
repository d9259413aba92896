// TGIFCodeStream: the image data of one frame, its data sub-blocks gathered
// into one contiguous buffer (GIFSubBlockGather.h) so that the LZW decoder
// reads codes without stopping at block boundaries. The buffer holds the data
// and its padding and no more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Zero bytes kept after the data, so that eight bytes can always be loaded at
// any data offset.
inline constexpr std::size_t CodeStreamPadding = 8;

struct TGIFCodeStream {
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  std::unique_ptr<std::uint8_t[]> Bytes;  // the data bytes, then CodeStreamPadding zeros
  std::size_t Size = 0;                   // data bytes
  bool Terminated = false;                // the zero-size sub-block was read
  // Where the data of a sub-block starts that announced more bytes than the
  // stream still had; npos when every sub-block was complete.
  std::size_t ShortFrom = npos;
};
