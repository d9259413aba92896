#include <gtest/gtest.h>

#include "Exception.h"
#include "FileStream.h"
#include "MemoryStream.h"
#include "TestFiles.h"

namespace {

TEST(MemoryStream, ReadsLittleEndianNumbersAndFailsShortReads) {
  TMemoryStream stream({0x42, 0x4D, 0x3E, 0x01, 0x00, 0x00, 0x07});
  EXPECT_EQ(stream.ReadWord(), 0x4D42);
  EXPECT_EQ(stream.ReadDWord(), 0x13Eu);
  try {
    stream.ReadWord();
    FAIL() << "a read past the end must fail";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Stream read error");
  }
}

TEST(MemoryStream, WritesGrowTheBufferAndSeekingStaysInRange) {
  TMemoryStream stream;
  stream.WriteDWord(0x11223344);
  stream.SetPosition(1);
  stream.WriteByte(0xAA);
  EXPECT_EQ(stream.Bytes(), (std::vector<std::uint8_t>{0x44, 0xAA, 0x22, 0x11}));
  EXPECT_EQ(stream.Size(), 4);
  EXPECT_EQ(stream.Seek(-10, TSeekOrigin::soCurrent), 0);
  EXPECT_EQ(stream.Seek(-1, TSeekOrigin::soEnd), 3);
  EXPECT_EQ(stream.Remaining(), 1);
}

TEST(FileStream, MissingFileAndUncreatableFileNameTheFile) {
  TTempDir dir;
  const std::string missing = dir.File("missing.bmp");
  try {
    TFileStream stream(missing, TFileMode::fmOpenRead);
    FAIL();
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Cannot open file " + missing);
  }
  const std::string nowhere = dir.File("no/such/folder.bmp");
  try {
    TFileStream stream(nowhere, TFileMode::fmCreate);
    FAIL();
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Cannot create file " + nowhere);
  }
}

TEST(FileStream, CreateEmptiesAnExistingFileAndReadsBack) {
  TTempDir dir;
  const std::string name = dir.File("a.bin");
  WriteWholeFile(name, {1, 2, 3, 4, 5, 6});
  {
    TFileStream out(name, TFileMode::fmCreate);
    out.WriteWord(0xBEEF);
  }
  TFileStream in(name, TFileMode::fmOpenRead);
  EXPECT_EQ(in.Size(), 2);
  EXPECT_EQ(in.ReadWord(), 0xBEEF);
  EXPECT_THROW(in.ReadByte(), Exception);
}

TEST(FileStream, AFolderCannotBeOpenedForReading) {
  TTempDir dir;
  EXPECT_THROW(TFileStream(dir.Path().string(), TFileMode::fmOpenRead), Exception);
}

}  // namespace
