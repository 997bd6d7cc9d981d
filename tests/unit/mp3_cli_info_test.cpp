// The command-line companion's "info", run as the built binary named by KZ_CLI.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include "mp3/timestamp.h"
#include "platform/posix/posix_file_system.h"
#include "tests/fakes/cli_runner.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::CliRun;
using testing::Mp3Bytes;
using testing::TempFolder;

struct CliInfoTest : ::testing::Test {
  void SetUp() override {
    if (!std::getenv("KZ_CLI")) GTEST_SKIP() << "KZ_CLI names no command-line binary";
  }
  CliRun Info(const std::string& arguments) {
    return testing::RunCli("info " + arguments, folder.directory());
  }
  TempFolder folder;
};

// The lines `info` prints for 100 frames at 128 kbit/s followed by 128 bytes of filler, in a
// file whose size has 41828 as its low 32 bits.
std::string HundredFramesLines(const std::string& path) {
  PosixFileSystem files;
  std::string date = FormatTimestamp("%mm.%dd.%yyyy", FileCreationTimestamp(files, path));
  return "ok=1\nfileSize=41828\ndurationMs=2612\nbitRate=128000\nfrequency=44100\n"
         "frameCount=100\nDauer\t00:02 Min\nBitrate\t128 kBit/s\nFrequenz\t44100 Hz\n"
         "Gr\xC3\xB6sse\t41 KB\nDatei erstellt am\t" +
         date + "\n";
}

TEST_F(CliInfoTest, PrintsTheFieldsAndThePropertyRows) {
  Mp3Bytes frames;
  frames.Frames(0xFB, 0x90, 417, 100).Filler(128);
  std::string path = folder.Write("song.mp3", frames.bytes());
  CliRun run = Info(testing::ShellQuoted(path));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, HundredFramesLines(path));
}

TEST_F(CliInfoTest, AFileBeyondFourGibibytesShowsTheLowBitsOfItsSize) {
  Mp3Bytes frames;
  frames.Frames(0xFB, 0x90, 417, 100).Filler(128);
  std::string path = folder.Write("huge.mp3", frames.bytes());
  // A hole of 4 GiB after the frames: the file's size is 2^32 + 41828 bytes, its disk use tiny.
  ASSERT_EQ(truncate(path.c_str(), (std::int64_t{1} << 32) + 41828), 0);
  CliRun run = Info(testing::ShellQuoted(path));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, HundredFramesLines(path));
  EXPECT_EQ(run.err, "");
}

TEST_F(CliInfoTest, FailedReadPrintsTheLinesAndExitsWithOne) {
  CliRun run = Info(testing::ShellQuoted(folder.File("missing.mp3")));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "ok=0\nfileSize=-1\ndurationMs=-1\nbitRate=-1\nfrequency=-1\nframeCount=0\n"
            "Dauer\t00:00 Min\nBitrate\t0 kBit/s\nFrequenz\t-1 Hz\nGr\xC3\xB6sse\t1 KB\n"
            "Datei erstellt am\t01.01.1970\n");
}

TEST_F(CliInfoTest, UsageErrorIsOneLineAndExitsWithTwo) {
  for (const char* arguments : {"", "a.mp3 b.mp3"}) {
    SCOPED_TRACE(arguments);
    CliRun run = Info(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
  }
}

}  // namespace
}  // namespace kz
