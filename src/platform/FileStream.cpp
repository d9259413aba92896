#include "FileStream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "Exception.h"
#include "PlatformMessages.h"

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
    ::flock(FHandle, LOCK_SH | LOCK_NB);  // advisory: readers share, writers that lock wait
  } else {
    FHandle = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (FHandle < 0) throw Exception(FormatMessage(SCannotCreateFile, fileName));
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
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
  const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                     : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                        : SEEK_END;
  const off_t at = ::lseek(FHandle, static_cast<off_t>(offset), whence);
  return at < 0 ? Seek(0, TSeekOrigin::soCurrent) : static_cast<std::int64_t>(at);
}

void TFileStream::Flush() {
  if (::fsync(FHandle) != 0 && errno != EINVAL) throw Exception(SStreamWriteError);
}
