#include "SafeSave.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "BufferedOutputStream.h"
#include "Exception.h"
#include "FileStream.h"
#include "PlatformMessages.h"

namespace {

// How often a taken temporary name is answered with a new one before the save gives up.
constexpr int TemporaryNameTries = 100;

// Twelve letters and digits that nobody can predict.
std::string RandomPart() {
  static const char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  unsigned char bytes[12];
  std::size_t got = 0;
  while (got < sizeof bytes) {
    const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw Exception(SOutOfResources);
    got += static_cast<std::size_t>(n);
  }
  std::string part;
  for (const unsigned char b : bytes) part += Letters[b % (sizeof Letters - 1)];
  return part;
}

// The temporary file lives in the target's folder so that the final rename
// stays on one file system and is atomic. It is made new under a name nobody
// can predict, never through a name that is there already (a planted link
// included), with the permissions any new file gets (0666 less the umask).
// Returns its name and sets handle; raises "Cannot create file %s" with the
// target's name when no such file can be made.
std::string CreateTemporaryBeside(const std::string& fileName, int& handle) {
  const std::filesystem::path target(fileName);
  for (int attempt = 0; attempt < TemporaryNameTries; ++attempt) {
    const std::string name = "." + target.filename().string() + ".korvane-" + RandomPart() + ".tmp";
    const std::string temporary = (target.parent_path() / name).string();
    handle = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (handle >= 0) return temporary;
    if (errno != EEXIST) break;
  }
  throw Exception(FormatMessage(SCannotCreateFile, fileName));
}

// A replaced file keeps the permissions it had.
void KeepPermissionsOf(const std::string& fileName, int handle) {
  struct stat info {};
  if (::stat(fileName.c_str(), &info) == 0) ::fchmod(handle, info.st_mode & 07777);
}

}  // namespace

void SaveToFileSafely(const std::string& fileName, const std::function<void(TStream&)>& writeBody) {
  // Refuse early what could never be replaced, with the message of the name
  // the user chose (a folder, a missing folder, a read-only place).
  {
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error)) throw Exception(FormatMessage(SCannotCreateFile, fileName));
  }
  int handle = -1;
  const std::string temporary = CreateTemporaryBeside(fileName, handle);
  try {
    {
      TFileStream stream(handle);
      TBufferedOutputStream body(stream);
      writeBody(body);
      body.Flush();
      stream.Flush();
      KeepPermissionsOf(fileName, handle);
    }
    if (std::rename(temporary.c_str(), fileName.c_str()) != 0) throw Exception(FormatMessage(SCannotCreateFile, fileName));
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
}
