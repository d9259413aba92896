// TMemoryStream: a growable byte buffer behind the TStream interface, used for
// in-memory images and for copying blocks by writing and reading them back.
#pragma once

#include <cstdint>
#include <vector>

#include "Stream.h"

class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : FBytes(std::move(bytes)) {}

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

  const std::vector<std::uint8_t>& Bytes() const { return FBytes; }
  std::vector<std::uint8_t> TakeBytes();
  void Clear();

private:
  std::vector<std::uint8_t> FBytes;
  std::int64_t FPosition = 0;
};
