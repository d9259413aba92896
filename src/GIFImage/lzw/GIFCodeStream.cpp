#include "GIFCodeStream.h"

#include <algorithm>
#include <memory>

#include "GIFStreamIO.h"
#include "Stream.h"

namespace {

constexpr std::int64_t FirstChunk = 4096;
constexpr std::int64_t LargestChunk = std::int64_t{1} << 20;

void AddPadding(TGIFCodeStream& data) {
  data.Size = data.Bytes.size();
  data.Bytes.resize(data.Size + CodeStreamPadding, 0);
}

}  // namespace

void GatherSubBlocks(TStream& stream, TGIFCodeStream& data) {
  data = TGIFCodeStream{};
  std::int64_t chunkSize = FirstChunk;
  std::size_t blockLeft = 0;  // bytes of the current sub-block still to come
  std::size_t blockStart = 0;
  for (;;) {
    // Not zeroed: only the bytes read are looked at.
    const auto chunk = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(chunkSize));
    const auto got = static_cast<std::size_t>(stream.ReadAvailable(chunk.get(), chunkSize));
    if (got == 0) break;
    data.Bytes.reserve(data.Bytes.size() + got);
    std::size_t at = 0;
    while (at < got) {
      if (blockLeft == 0) {
        blockLeft = chunk[at++];
        blockStart = data.Bytes.size();
        if (blockLeft == 0) {
          data.Terminated = true;
          MoveBy(stream, -static_cast<std::int64_t>(got - at));  // give back the read-ahead
          AddPadding(data);
          return;
        }
      }
      const std::size_t take = std::min(blockLeft, got - at);
      data.Bytes.insert(data.Bytes.end(), chunk.get() + at, chunk.get() + at + take);
      at += take;
      blockLeft -= take;
    }
    chunkSize = std::min(chunkSize * 2, LargestChunk);
  }
  if (blockLeft > 0) data.ShortFrom = blockStart;
  AddPadding(data);
}
