// TOneByteAtATimeStream: a memory stream whose reads deliver at most one byte
// per call, as a slow pipe or device might. Readers must give the same result
// over it as over a plain memory stream.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "MemoryStream.h"

class TOneByteAtATimeStream : public TStream {
public:
  explicit TOneByteAtATimeStream(std::vector<std::uint8_t> bytes) : FBytes(std::move(bytes)) {}

  std::int64_t Read(void* buffer, std::int64_t count) override {
    ++FReads;
    return FBytes.Read(buffer, std::min<std::int64_t>(count, 1));
  }
  std::int64_t Write(const void* buffer, std::int64_t count) override { return FBytes.Write(buffer, count); }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override { return FBytes.Seek(offset, origin); }

  // How many times Read was called.
  std::int64_t Reads() const { return FReads; }

private:
  TMemoryStream FBytes;
  std::int64_t FReads = 0;
};
