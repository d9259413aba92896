// TOneByteAtATimeStream: wraps another stream and hands out at most one byte
// per Read, as a slow pipe might, so that readers are tested for reads that
// come back short.
#pragma once

#include "Stream.h"

class TOneByteAtATimeStream : public TStream {
public:
  explicit TOneByteAtATimeStream(TStream& inner) : FInner(inner) {}

  std::int64_t Read(void* buffer, std::int64_t count) override { return FInner.Read(buffer, count > 0 ? 1 : 0); }
  std::int64_t Write(const void* buffer, std::int64_t count) override { return FInner.Write(buffer, count); }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override { return FInner.Seek(offset, origin); }

private:
  TStream& FInner;
};
