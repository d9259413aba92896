// TOneByteAtATimeStream: a stream whose reads deliver at most one byte per
// call, as a slow pipe or device might. Readers must give the same result over
// it as over a plain memory stream. It either owns its bytes or wraps another
// stream.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "MemoryStream.h"

class TOneByteAtATimeStream : public TStream {
public:
  explicit TOneByteAtATimeStream(std::vector<std::uint8_t> bytes)
      : FOwned(std::make_unique<TMemoryStream>(std::move(bytes))), FInner(*FOwned) {}
  explicit TOneByteAtATimeStream(TStream& inner) : FInner(inner) {}

  std::int64_t Read(void* buffer, std::int64_t count) override {
    ++FReads;
    return FInner.Read(buffer, std::min<std::int64_t>(count, 1));
  }
  std::int64_t Write(const void* buffer, std::int64_t count) override { return FInner.Write(buffer, count); }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override { return FInner.Seek(offset, origin); }

  // How many times Read was called.
  std::int64_t Reads() const { return FReads; }

private:
  std::unique_ptr<TMemoryStream> FOwned;
  TStream& FInner;
  std::int64_t FReads = 0;
};
