// TGIFWriter: the sub-block writer behind the image data encoders. The code
// bytes written (or put) to it are cut into data sub-blocks of 255 bytes, each behind
// its length byte; whole sub-blocks gather in one buffer and reach the
// destination stream many at a time. Flush writes what is left as a last,
// shorter sub-block. The writer only writes: reading or seeking through it
// raises "Invalid stream operation".
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "GIFEncoder.h"
#include "Stream.h"

class TGIFWriter : public TStream, public TCodeByteSink {
public:
  static constexpr int MaxBlockData = 255;

  explicit TGIFWriter(TStream& destination);

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  // The encoders' bytes, written as Write writes them.
  void PutCodeBytes(const std::uint8_t* bytes, std::size_t count) override {
    Write(bytes, static_cast<std::int64_t>(count));
  }

  // Hands every buffered byte to the destination, the data bytes of an
  // unfinished sub-block as a shorter one. Nothing when nothing is pending.
  void Flush();
  // Data buffered since the last Flush.
  bool OutputPending() const { return FFill > 0 || !FBlocks.empty(); }

private:
  void CloseBlock();

  TStream& FDestination;
  // Byte 0 the sub-block's length, bytes 1 to 255 its data.
  std::array<std::uint8_t, 1 + MaxBlockData> FBlock{};
  int FFill = 0;
  // Finished sub-blocks not yet written to the destination.
  std::vector<std::uint8_t> FBlocks;
};
