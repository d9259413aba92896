#include "GIFWriter.h"

#include <algorithm>
#include <cstring>

#include "GIFException.h"
#include "GIFMessages.h"

namespace {

// Finished sub-blocks go to the destination in batches of this many bytes:
// one write per 64 sub-blocks instead of one per sub-block.
constexpr std::size_t BatchBytes = 64 * (1 + TGIFWriter::MaxBlockData);

}  // namespace

TGIFWriter::TGIFWriter(TStream& destination) : FDestination(destination) { FBlocks.reserve(BatchBytes); }

std::int64_t TGIFWriter::Read(void*, std::int64_t) { throw GIFException(sInvalidStream); }

std::int64_t TGIFWriter::Seek(std::int64_t, TSeekOrigin) { throw GIFException(sInvalidStream); }

std::int64_t TGIFWriter::Write(const void* buffer, std::int64_t count) {
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  std::int64_t left = count;
  while (left > 0) {
    const int piece = static_cast<int>(std::min<std::int64_t>(left, MaxBlockData - FFill));
    std::memcpy(FBlock.data() + 1 + FFill, bytes, static_cast<std::size_t>(piece));
    FFill += piece;
    bytes += piece;
    left -= piece;
    if (FFill == MaxBlockData) CloseBlock();
  }
  return count;
}

void TGIFWriter::CloseBlock() {
  FBlock[0] = static_cast<std::uint8_t>(FFill);
  FBlocks.insert(FBlocks.end(), FBlock.begin(), FBlock.begin() + 1 + FFill);
  FFill = 0;
  if (FBlocks.size() >= BatchBytes) {
    FDestination.WriteBuffer(FBlocks.data(), static_cast<std::int64_t>(FBlocks.size()));
    FBlocks.clear();
  }
}

void TGIFWriter::Flush() {
  if (FFill > 0) CloseBlock();
  if (FBlocks.empty()) return;
  FDestination.WriteBuffer(FBlocks.data(), static_cast<std::int64_t>(FBlocks.size()));
  FBlocks.clear();
}
