#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <thread>

#include "BufferedOutputStream.h"
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

// Writes of every size around the buffer's, a seek back to patch, a read
// back and a position asked mid-way: through a 4-byte buffer the bytes and
// the positions are those of writing to the stream itself.
TEST(BufferedOutputStream, GivesTheBytesAndPositionsOfTheStreamBelow) {
  std::vector<std::uint8_t> pattern(11);
  for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<std::uint8_t>(i + 1);
  TMemoryStream direct;
  TMemoryStream below;
  TBufferedOutputStream buffered(below, 4);
  std::vector<std::int64_t> directPositions;
  std::vector<std::int64_t> bufferedPositions;
  const auto both = [&](const std::function<void(TStream&)>& step) {
    step(direct);
    step(buffered);
    directPositions.push_back(direct.Position());
    bufferedPositions.push_back(buffered.Position());
  };
  for (const std::int64_t count : {1, 2, 3, 4, 5, 11, 0, 3})
    both([&](TStream& s) { s.WriteBuffer(pattern.data(), count); });
  both([](TStream& s) { s.SetPosition(2); });
  both([](TStream& s) { s.WriteWord(0xBEEF); });
  std::uint8_t readDirect[3] = {};
  std::uint8_t readBuffered[3] = {};
  direct.ReadBuffer(readDirect, 3);
  buffered.ReadBuffer(readBuffered, 3);
  EXPECT_EQ(std::vector<std::uint8_t>(readBuffered, readBuffered + 3), std::vector<std::uint8_t>(readDirect, readDirect + 3));
  both([](TStream& s) { s.Seek(0, TSeekOrigin::soEnd); });
  both([&](TStream& s) { s.WriteBuffer(pattern.data(), 2); });
  EXPECT_EQ(buffered.Size(), direct.Size());
  buffered.Flush();
  EXPECT_EQ(below.Bytes(), direct.Bytes());
  EXPECT_EQ(bufferedPositions, directPositions);
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

TEST(FileStream, AFailedSeekRaisesAndTheStreamStaysWhereItWas) {
  TTempDir dir;
  const std::string name = dir.File("a.bin");
  WriteWholeFile(name, {1, 2, 3, 4});
  TFileStream stream(name, TFileMode::fmOpenRead);
  stream.SetPosition(2);
  try {
    stream.Seek(-10, TSeekOrigin::soBeginning);
    FAIL() << "a seek before the start must fail";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Stream seek error");
  }
  EXPECT_EQ(stream.Position(), 2);
}

// The read end of a pipe opened by name, as /dev/stdin is when a pipe feeds
// a program; a second thread writes the bytes and closes the pipe.
class TPipeFeed {
public:
  explicit TPipeFeed(std::vector<std::uint8_t> bytes) {
    if (::pipe(FPipe) != 0) throw std::runtime_error("no pipe");
    FWriter = std::thread([this, bytes = std::move(bytes)] {
      std::size_t done = 0;
      while (done < bytes.size()) {
        const ssize_t put = ::write(FPipe[1], bytes.data() + done, bytes.size() - done);
        if (put <= 0) break;
        done += static_cast<std::size_t>(put);
      }
      ::close(FPipe[1]);
    });
  }
  ~TPipeFeed() {
    FWriter.join();
    ::close(FPipe[0]);
  }
  std::string Name() const { return "/proc/self/fd/" + std::to_string(FPipe[0]); }

private:
  int FPipe[2] = {-1, -1};
  std::thread FWriter;
};

TEST(FileStream, APipeIsReadWholeAndThenSeeksLikeAFile) {
  std::vector<std::uint8_t> bytes(300000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  TPipeFeed feed(bytes);
  TFileStream stream(feed.Name(), TFileMode::fmOpenRead);
  EXPECT_EQ(stream.Size(), 300000);
  stream.SetPosition(299998);
  EXPECT_EQ(stream.ReadWord(), bytes[299998] | (bytes[299999] << 8));
  EXPECT_EQ(stream.Seek(-300000, TSeekOrigin::soCurrent), 0);
  EXPECT_EQ(stream.ReadByte(), 0);
  stream.Seek(0, TSeekOrigin::soEnd);
  EXPECT_THROW(stream.ReadByte(), Exception);
}

TEST(FileStream, InputThatCannotSeekIsReadOnlyUpToItsCap) {
  ::signal(SIGPIPE, SIG_IGN);  // the writer meets a closed pipe
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  std::thread writer([&] {
    const std::vector<std::uint8_t> chunk(1 << 16, 0x55);
    for (int i = 0; i < 4; ++i)
      if (::write(fds[1], chunk.data(), chunk.size()) <= 0) break;
    ::close(fds[1]);
  });
  try {
    ReadToEnd(fds[0], 100000);
    ADD_FAILURE() << "more than the cap must fail";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Out of system resources");
  }
  ::close(fds[0]);
  writer.join();
}

}  // namespace
