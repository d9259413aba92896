#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

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

// The names in the folder other than the given ones.
std::vector<std::string> OtherFiles(const std::filesystem::path& folder, const std::vector<std::string>& known) {
  std::vector<std::string> others;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
  }
  return others;
}

TEST(SafeSave, ALinkPlantedUnderTheOldTemporaryNameIsNeverWrittenThrough) {
  TTempDir dir;
  const std::string victim = dir.File("victim.txt");
  WriteWholeFile(victim, {1, 2, 3});
  // Where a save of this process used to put its bytes first.
  const std::string planted = dir.File(".logo.bmp.korvane-" + std::to_string(::getpid()) + ".tmp");
  std::filesystem::create_symlink(victim, planted);
  const std::string name = dir.File("logo.bmp");
  SaveToFileSafely(name, [](TStream& s) { s.WriteDWord(0x01020304); });
  EXPECT_EQ(ReadWholeFile(victim), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_TRUE(std::filesystem::is_symlink(planted));
  EXPECT_EQ(ReadWholeFile(name), (std::vector<std::uint8_t>{4, 3, 2, 1}));
  EXPECT_FALSE(std::filesystem::is_symlink(name));
  EXPECT_EQ(FilesIn(dir.Path()), 3u);
}

TEST(SafeSave, TheTemporaryNameIsUnpredictableAndTheFileGetsTheUmasksPermissions) {
  TTempDir dir;
  const std::string name = dir.File("strip.bmx");
  const mode_t old = ::umask(027);
  std::vector<std::string> temporaries;
  for (int i = 0; i < 2; ++i) {
    SaveToFileSafely(name, [&](TStream& s) {
      const std::vector<std::string> others = OtherFiles(dir.Path(), {"strip.bmx"});
      ASSERT_EQ(others.size(), 1u);
      temporaries.push_back(others[0]);
      struct stat info {};
      ASSERT_EQ(::stat(dir.File(others[0]).c_str(), &info), 0);
      EXPECT_EQ(info.st_mode & 07777, 0640u);
      s.WriteByte(1);
    });
  }
  ::umask(old);
  ASSERT_EQ(temporaries.size(), 2u);
  EXPECT_NE(temporaries[0], temporaries[1]);
  for (const std::string& t : temporaries) {
    EXPECT_EQ(t.rfind(".strip.bmx.korvane-", 0), 0u) << t;
    EXPECT_EQ(t.find(std::to_string(::getpid())), std::string::npos) << t;
  }
  struct stat info {};
  ASSERT_EQ(::stat(name.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(SafeSave, AReplacedFileKeepsItsPermissions) {
  TTempDir dir;
  const std::string name = dir.File("logo.bmp");
  WriteWholeFile(name, {9});
  ::chmod(name.c_str(), 0604);
  SaveToFileSafely(name, [](TStream& s) { s.WriteByte(1); });
  struct stat info {};
  ASSERT_EQ(::stat(name.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0604u);
}

}  // namespace
