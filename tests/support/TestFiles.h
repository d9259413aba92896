// Helpers for tests that touch the file system: a private folder that is
// removed afterwards, and whole-file reads and writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TTempDir {
public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  std::string File(const std::string& name) const { return (FPath / name).string(); }
  const std::filesystem::path& Path() const { return FPath; }

private:
  std::filesystem::path FPath;
};

std::vector<std::uint8_t> ReadWholeFile(const std::string& fileName);
void WriteWholeFile(const std::string& fileName, const std::vector<std::uint8_t>& bytes);
