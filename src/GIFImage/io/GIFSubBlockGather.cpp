#include "GIFSubBlockGather.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "GIFStreamIO.h"
#include "Stream.h"

namespace {

// The sub-blocks are read ahead, size bytes and all, into a buffer the thread
// keeps; once the terminator is found, the data bytes alone go to a buffer of
// their own size. Reads start small, as most frames of the program's pictures
// are, and double.
constexpr std::size_t FirstChunk = 2048;
constexpr std::size_t LargestChunk = std::size_t{1} << 20;
constexpr std::size_t KeptScratch = std::size_t{1} << 20;  // a larger read-ahead buffer is given back

struct TScratch {
  std::unique_ptr<std::uint8_t[]> Bytes;
  std::size_t Capacity = 0;
};

TScratch& ThreadScratch() {
  thread_local TScratch scratch;
  return scratch;
}

// Room for needed bytes, keeping the first kept ones.
void Reserve(TScratch& scratch, std::size_t needed, std::size_t kept) {
  if (needed <= scratch.Capacity) return;
  const std::size_t capacity = std::max(needed, 2 * scratch.Capacity);
  auto grown = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);  // only bytes read are looked at
  if (kept > 0) std::memcpy(grown.get(), scratch.Bytes.get(), kept);
  scratch.Bytes = std::move(grown);
  scratch.Capacity = capacity;
}

// The first data.Size data bytes of the sub-blocks in raw[0, end), their size
// bytes left out (the last sub-block may be cut short by end).
void CopyData(const std::uint8_t* raw, std::size_t end, TGIFCodeStream& data) {
  data.Bytes = std::make_unique_for_overwrite<std::uint8_t[]>(data.Size + CodeStreamPadding);
  std::size_t to = 0;
  for (std::size_t at = 0; at < end && to < data.Size;) {
    const std::size_t take = std::min<std::size_t>(raw[at], std::min(end - at - 1, data.Size - to));
    std::memcpy(data.Bytes.get() + to, raw + at + 1, take);
    to += take;
    at += 1 + take;
  }
  std::memset(data.Bytes.get() + data.Size, 0, CodeStreamPadding);
}

}  // namespace

void GatherSubBlocks(TStream& stream, TGIFCodeStream& data) {
  data = TGIFCodeStream{};
  TScratch& scratch = ThreadScratch();
  std::size_t read = 0;   // raw bytes in the scratch buffer
  std::size_t block = 0;  // where the next size byte is
  std::size_t chunk = FirstChunk;
  for (;; chunk = std::min(chunk * 2, LargestChunk)) {
    Reserve(scratch, read + chunk, read);
    const auto got = static_cast<std::size_t>(stream.ReadAvailable(scratch.Bytes.get() + read, static_cast<std::int64_t>(chunk)));
    read += got;
    while (block < read && scratch.Bytes[block] != 0) {
      const std::size_t size = scratch.Bytes[block];
      if (block + 1 + size > read) break;  // the sub-block goes on in the next chunk
      data.Size += size;
      block += 1 + size;
    }
    if (block < read && scratch.Bytes[block] == 0) {
      data.Terminated = true;
      MoveBy(stream, -static_cast<std::int64_t>(read - block - 1));  // give back the read-ahead
      break;
    }
    if (got == 0) {
      // The stream ended inside a sub-block (or before a size byte): what is
      // there of that sub-block still counts.
      if (block < read) {
        data.ShortFrom = data.Size;
        data.Size += read - block - 1;
      }
      break;
    }
  }
  CopyData(scratch.Bytes.get(), read, data);
  if (scratch.Capacity > KeptScratch) scratch = TScratch{};
}
