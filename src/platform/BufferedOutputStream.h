// TBufferedOutputStream: gathers the many small writes of a picture writer
// into a buffer of fixed size and hands them to the stream below in large
// pieces, so that a big file costs neither a write call per row nor a copy
// of itself in memory. Reads and seeks pass everything gathered on first;
// Flush passes the rest, and must be called before the target is used.
#pragma once

#include <cstdint>
#include <vector>

#include "Stream.h"

class TBufferedOutputStream : public TStream {
public:
  static constexpr std::int64_t DefaultCapacity = 256 * 1024;

  explicit TBufferedOutputStream(TStream& target, std::int64_t capacity = DefaultCapacity);

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  // Hands what is gathered to the target; "Stream write error" when it takes less.
  void Flush();

private:
  TStream& FTarget;
  std::vector<std::uint8_t> FBuffer;
  std::int64_t FUsed = 0;
};
