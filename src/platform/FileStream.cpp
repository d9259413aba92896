#include "FileStream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "Exception.h"
#include "MemoryStream.h"
#include "PlatformMessages.h"

std::vector<std::uint8_t> ReadToEnd(int handle, std::int64_t limit) {
  constexpr std::size_t Chunk = std::size_t{1} << 16;
  std::vector<std::uint8_t> bytes;
  for (;;) {
    const std::size_t had = bytes.size();
    bytes.resize(had + Chunk);
    const ssize_t got = ::read(handle, bytes.data() + had, Chunk);
    if (got < 0 && errno == EINTR) {
      bytes.resize(had);
      continue;
    }
    if (got < 0) throw Exception(SStreamReadError);
    bytes.resize(had + static_cast<std::size_t>(got));
    if (got == 0) return bytes;
    if (static_cast<std::int64_t>(bytes.size()) > limit) throw EOutOfResources(SOutOfResources);
  }
}

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) {
  if (mode == TFileMode::fmOpenRead) {
    FHandle = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    // A folder opens on Linux but is no file to read.
    if (FHandle >= 0 && (::fstat(FHandle, &info) != 0 || S_ISDIR(info.st_mode))) {
      ::close(FHandle);
      FHandle = -1;
    }
    if (FHandle < 0) throw Exception(FormatMessage(SCannotOpenFile, fileName));
    if (::lseek(FHandle, 0, SEEK_CUR) < 0) {
      // A pipe or a terminal: its bytes come once, so they are kept.
      try {
        FBuffered = std::make_unique<TMemoryStream>(ReadToEnd(FHandle));
      } catch (...) {
        ::close(FHandle);
        throw;
      }
      return;
    }
    ::flock(FHandle, LOCK_SH | LOCK_NB);  // advisory: readers share, writers that lock wait
  } else {
    FHandle = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (FHandle < 0) throw Exception(FormatMessage(SCannotCreateFile, fileName));
  }
}

TFileStream::TFileStream(int handle) : FHandle(handle) {}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  if (FBuffered) return FBuffered->Read(buffer, count);
  std::int64_t done = 0;
  auto* bytes = static_cast<char*>(buffer);
  while (done < count) {
    const ssize_t got = ::read(FHandle, bytes + done, static_cast<size_t>(count - done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += got;
  }
  return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  if (FBuffered) return 0;  // opened for reading
  std::int64_t done = 0;
  const auto* bytes = static_cast<const char*>(buffer);
  while (done < count) {
    const ssize_t put = ::write(FHandle, bytes + done, static_cast<size_t>(count - done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    done += put;
  }
  return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  if (FBuffered) return FBuffered->Seek(offset, origin);
  const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                     : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                        : SEEK_END;
  const off_t at = ::lseek(FHandle, static_cast<off_t>(offset), whence);
  if (at < 0) throw Exception(SStreamSeekError);
  return static_cast<std::int64_t>(at);
}

void TFileStream::Flush() {
  if (FBuffered) return;
  if (::fsync(FHandle) != 0 && errno != EINVAL) throw Exception(SStreamWriteError);
}
