#include <gtest/gtest.h>

#include <filesystem>

#include "Exception.h"
#include "SafeSave.h"
#include "Stream.h"
#include "TestFiles.h"

namespace {

std::size_t FilesIn(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(SafeSave, WritesTheWholeBodyUnderTheName) {
  TTempDir dir;
  const std::string name = dir.File("logo.bmp");
  SaveToFileSafely(name, [](TStream& s) { s.WriteDWord(0x01020304); });
  EXPECT_EQ(ReadWholeFile(name), (std::vector<std::uint8_t>{4, 3, 2, 1}));
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(SafeSave, AnEmptyBodyLeavesAnEmptyFile) {
  TTempDir dir;
  const std::string name = dir.File("empty.bmx");
  WriteWholeFile(name, {9, 9, 9});
  SaveToFileSafely(name, [](TStream&) {});
  EXPECT_TRUE(ReadWholeFile(name).empty());
}

TEST(SafeSave, AFailureHalfWayKeepsTheOldFileAndLeavesNoLitter) {
  TTempDir dir;
  const std::string name = dir.File("strip.bmx");
  WriteWholeFile(name, {7, 7, 7});
  try {
    SaveToFileSafely(name, [](TStream& s) {
      s.WriteByte(1);
      throw Exception("Stream write error");
    });
    FAIL() << "the failure must reach the caller";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Stream write error");
  }
  EXPECT_EQ(ReadWholeFile(name), (std::vector<std::uint8_t>{7, 7, 7}));
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(SafeSave, AnUncreatableNameReportsThatName) {
  TTempDir dir;
  for (const std::string& name : {dir.File("missing/strip.bmx"), dir.Path().string()}) {
    try {
      SaveToFileSafely(name, [](TStream& s) { s.WriteByte(1); });
      FAIL() << name;
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), "Cannot create file " + name);
    }
  }
}

}  // namespace
