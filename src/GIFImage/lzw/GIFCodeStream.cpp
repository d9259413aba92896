#include "GIFCodeStream.h"

#include <algorithm>
#include <cstring>

#include "GIFStreamIO.h"
#include "Stream.h"

namespace {

// Most frames of the program's pictures are small: the first read takes a
// little, later ones twice as much as the one before.
constexpr std::size_t FirstChunk = 1024;
constexpr std::size_t LargestChunk = std::size_t{1} << 20;

// Room for the kept bytes, a chunk after them and the padding; the kept bytes
// move along when the buffer has to grow.
void MakeRoom(TGIFCodeStream& data, std::size_t& capacity, std::size_t chunk) {
  const std::size_t needed = data.Size + chunk + CodeStreamPadding;
  if (needed <= capacity) return;
  capacity = std::max(needed, 2 * capacity);
  auto grown = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);  // only bytes written are read
  if (data.Size > 0) std::memcpy(grown.get(), data.Bytes.get(), data.Size);
  data.Bytes = std::move(grown);
}

}  // namespace

void GatherSubBlocks(TStream& stream, TGIFCodeStream& data) {
  data = TGIFCodeStream{};
  std::size_t capacity = 0;
  std::size_t chunk = FirstChunk;
  std::size_t blockLeft = 0;  // bytes of the current sub-block still to come
  std::size_t blockStart = 0;
  for (;; chunk = std::min(chunk * 2, LargestChunk)) {
    MakeRoom(data, capacity, chunk);
    // The chunk lands right after the data kept so far; its data bytes move
    // down over the size bytes before them.
    std::uint8_t* const bytes = data.Bytes.get();
    std::size_t at = data.Size;
    const std::size_t end = at + static_cast<std::size_t>(stream.ReadAvailable(bytes + at, static_cast<std::int64_t>(chunk)));
    if (end == at) break;
    while (at < end) {
      if (blockLeft == 0) {
        blockLeft = bytes[at++];
        blockStart = data.Size;
        if (blockLeft == 0) {
          data.Terminated = true;
          MoveBy(stream, -static_cast<std::int64_t>(end - at));  // give back the read-ahead
          std::memset(bytes + data.Size, 0, CodeStreamPadding);
          return;
        }
      }
      const std::size_t take = std::min(blockLeft, end - at);
      std::memmove(bytes + data.Size, bytes + at, take);
      data.Size += take;
      at += take;
      blockLeft -= take;
    }
  }
  if (blockLeft > 0) data.ShortFrom = blockStart;
  std::memset(data.Bytes.get() + data.Size, 0, CodeStreamPadding);
}
