#include "SafeSave.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "Exception.h"
#include "FileStream.h"
#include "MemoryStream.h"
#include "PlatformMessages.h"

namespace {

// The temporary file lives in the target's folder so that the final rename
// stays on one file system and is atomic.
std::string TemporaryNameBeside(const std::string& fileName) {
  const std::filesystem::path target(fileName);
  std::string name = ".";
  name.append(target.filename().string()).append(".korvane-").append(std::to_string(::getpid())).append(".tmp");
  return (target.parent_path() / name).string();
}

// A replaced file keeps the permissions it had.
void KeepPermissionsOf(const std::string& fileName, const std::string& temporary) {
  struct stat info {};
  if (::stat(fileName.c_str(), &info) == 0) ::chmod(temporary.c_str(), info.st_mode & 07777);
}

}  // namespace

void SaveToFileSafely(const std::string& fileName, const std::function<void(TStream&)>& writeBody) {
  // Refuse early what could never be replaced, with the message of the name
  // the user chose (a folder, a missing folder, a read-only place).
  {
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error)) throw Exception(FormatMessage(SCannotCreateFile, fileName));
  }
  const std::string temporary = TemporaryNameBeside(fileName);
  try {
    {
      // Gathered in memory and written at once: writers make many small writes.
      TMemoryStream body;
      writeBody(body);
      TFileStream stream(temporary, TFileMode::fmCreate);
      stream.WriteBuffer(body.Bytes().data(), static_cast<std::int64_t>(body.Bytes().size()));
      stream.Flush();
    }
    KeepPermissionsOf(fileName, temporary);
    if (std::rename(temporary.c_str(), fileName.c_str()) != 0) throw Exception(FormatMessage(SCannotCreateFile, fileName));
  } catch (const Exception& error) {
    std::remove(temporary.c_str());
    if (error.Message() == FormatMessage(SCannotCreateFile, temporary))
      throw Exception(FormatMessage(SCannotCreateFile, fileName));
    throw;
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
}
