// TFileStream: a TStream over an open file. Opening for reading takes a shared
// lock so that other readers may join while writers that lock are kept out;
// creating empties an existing file.
#pragma once

#include <string>

#include "Stream.h"

enum class TFileMode { fmOpenRead, fmCreate };

class TFileStream : public TStream {
public:
  // Raises "Cannot open file %s" or "Cannot create file %s" with the name.
  TFileStream(const std::string& fileName, TFileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

  // Forces the written bytes to the disk; raises "Stream write error" when it cannot.
  void Flush();

private:
  int FHandle = -1;
};
