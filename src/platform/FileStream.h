// TFileStream: a TStream over an open file. Opening for reading takes a shared
// lock so that other readers may join while writers that lock are kept out;
// creating empties an existing file.
//
// Input that cannot seek (a pipe, a terminal, /dev/stdin on a pipe) is read
// into memory whole when it is opened, at most MaxUnseekableInputBytes, and
// then served from there, so readers that seek work on it as on a file. A
// seek that fails raises "Stream seek error".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Stream.h"

enum class TFileMode { fmOpenRead, fmCreate };

class TMemoryStream;

// The most that input which cannot seek may hold: above every file the
// readers accept (a BMP at the pixel cap is 256 MiB, the codes of a GIF at its
// cap less than 400 MiB). More raises "Out of system resources".
inline constexpr std::int64_t MaxUnseekableInputBytes = std::int64_t{1} << 29;

class TFileStream : public TStream {
public:
  // Raises "Cannot open file %s" or "Cannot create file %s" with the name.
  TFileStream(const std::string& fileName, TFileMode mode);
  // Takes over a handle opened for writing (closed with the stream).
  explicit TFileStream(int handle);
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
  std::unique_ptr<TMemoryStream> FBuffered;  // the whole input of a handle that cannot seek
};

// Reads a handle to its end into memory, at most limit bytes; more raises
// "Out of system resources", a failed read "Stream read error".
std::vector<std::uint8_t> ReadToEnd(int handle, std::int64_t limit = MaxUnseekableInputBytes);
