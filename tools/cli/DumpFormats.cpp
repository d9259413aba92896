#include "DumpFormats.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "DumpGif.h"

namespace {

const TDumpFormat Formats[] = {
    {"bmp", DumpBmp},
    {"gif", DumpGif},
};

}  // namespace

const TDumpFormat* FindDumpFormat(const std::string& name) {
  for (const TDumpFormat& format : Formats)
    if (name == format.Name) return &format;
  return nullptr;
}

const TDumpFormat& FormatOfFileName(const std::string& fileName) {
  std::string extension = std::filesystem::path(fileName).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return *FindDumpFormat(extension == ".gif" ? "gif" : "bmp");
}
