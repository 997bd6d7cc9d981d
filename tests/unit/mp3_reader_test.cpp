#include "mp3/mp3_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/posix/posix_file_system.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::Mp3Bytes;
using testing::TempFolder;

struct Mp3ReaderTest : ::testing::Test {
  TempFolder folder;
  PosixFileSystem files;
  Mp3Info info;

  // Fills the record with values that a reset must overwrite.
  int Read(const std::string& path) {
    info = {7, 7, 7, 7, 7};
    return ReadMp3Info(files, path, info);
  }
  void ExpectUntouchedFailure() {
    EXPECT_EQ(info.fileSize, -1);
    EXPECT_EQ(info.durationMs, -1);
    EXPECT_EQ(info.bitRate, -1);
    EXPECT_EQ(info.frequency, -1);
    EXPECT_EQ(info.frameCount, 0);
  }
};

TEST_F(Mp3ReaderTest, ReadsAWholeFileThroughItsMapping) {
  Mp3Bytes frames;
  frames.Frames(0xFB, 0x90, 417, 100);
  ASSERT_EQ(Read(folder.Write("a.mp3", frames.bytes())), 1);
  EXPECT_EQ(info.fileSize, 41700);
  EXPECT_EQ(info.durationMs, 2586);
  EXPECT_EQ(info.bitRate, 128000);
  EXPECT_EQ(info.frequency, 44100);
  EXPECT_EQ(info.frameCount, 99);
}

TEST_F(Mp3ReaderTest, FilesThatCannotBeMappedFailWithTheInitialFields) {
  EXPECT_EQ(Read(folder.File("missing.mp3")), 0);
  ExpectUntouchedFailure();
  EXPECT_EQ(Read(folder.Write("empty.mp3", {})), 0);
  ExpectUntouchedFailure();
  EXPECT_EQ(Read(folder.directory()), 0);
  ExpectUntouchedFailure();

  std::string locked = folder.Write("locked.mp3", {0xFF, 0xFB, 0x90, 0x00});
  chmod(locked.c_str(), 0);
  if (geteuid() != 0) {  // root reads every file
    EXPECT_EQ(Read(locked), 0);
    ExpectUntouchedFailure();
  }
}

TEST_F(Mp3ReaderTest, TextFileHasNoHeaderAndSucceeds) {
  Mp3Bytes text;
  text.Filler(1500, 'x');
  ASSERT_EQ(Read(folder.Write("notes.mp3", text.bytes())), 1);
  EXPECT_EQ(info.fileSize, 1500);
  EXPECT_EQ(info.durationMs, 0);
  EXPECT_EQ(info.bitRate, -1000);
  EXPECT_EQ(info.frequency, -1);
  EXPECT_EQ(info.frameCount, 0);
}

TEST_F(Mp3ReaderTest, FailedScanKeepsTheSize) {
  Mp3Bytes varying;
  varying.Bytes({0xFF, 0xFB, 0x9C, 0x00}).Frames(0xFB, 0xB0, 100);
  EXPECT_EQ(Read(folder.Write("v.mp3", varying.bytes())), 0);
  EXPECT_EQ(info.fileSize, 104);
  EXPECT_EQ(info.durationMs, -1);
  EXPECT_EQ(info.bitRate, 0);
  EXPECT_EQ(info.frequency, 44100);
  EXPECT_EQ(info.frameCount, 0);
}

}  // namespace
}  // namespace kz
