// The command-line companion's "info", run as the built binary named by KZ_CLI.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "mp3/timestamp.h"
#include "platform/posix/posix_file_system.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::Mp3Bytes;
using testing::TempFolder;

struct CliRun {
  int status = -1;
  std::string out;
};

CliRun RunCli(const std::string& arguments, const std::string& errorFile) {
  const char* cli = std::getenv("KZ_CLI");
  CliRun run;
  // Built by appending: g++ 12 warns falsely (-Wrestrict) about "'" + std::string in Release.
  std::string command = "'";
  command.append(cli).append("' ").append(arguments).append(" 2>'").append(errorFile).append("'");
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[512];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string ReadText(const std::string& path) {
  std::string text;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[512];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    std::fclose(file);
  }
  return text;
}

struct CliInfoTest : ::testing::Test {
  void SetUp() override {
    if (!std::getenv("KZ_CLI")) GTEST_SKIP() << "KZ_CLI names no command-line binary";
  }
  TempFolder folder;
  std::string errors = folder.File("stderr.txt");
};

TEST_F(CliInfoTest, PrintsTheFieldsAndThePropertyRows) {
  Mp3Bytes frames;
  frames.Frames(0xFB, 0x90, 417, 100).Filler(128);
  std::string path = folder.Write("song.mp3", frames.bytes());
  PosixFileSystem files;
  std::string date = FormatTimestamp("%mm.%dd.%yyyy", FileCreationTimestamp(files, path));

  CliRun run = RunCli("info '" + path + "'", errors);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "ok=1\nfileSize=41828\ndurationMs=2612\nbitRate=128000\nfrequency=44100\n"
            "frameCount=100\nDauer\t00:02 Min\nBitrate\t128 kBit/s\nFrequenz\t44100 Hz\n"
            "Gr\xC3\xB6sse\t41 KB\nDatei erstellt am\t" +
                date + "\n");
}

TEST_F(CliInfoTest, FailedReadPrintsTheLinesAndExitsWithOne) {
  CliRun run = RunCli("info '" + folder.File("missing.mp3") + "'", errors);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "ok=0\nfileSize=-1\ndurationMs=-1\nbitRate=-1\nfrequency=-1\nframeCount=0\n"
            "Dauer\t00:00 Min\nBitrate\t0 kBit/s\nFrequenz\t-1 Hz\nGr\xC3\xB6sse\t1 KB\n"
            "Datei erstellt am\t01.01.1970\n");
}

TEST_F(CliInfoTest, UsageErrorIsOneLineAndExitsWithTwo) {
  for (const char* arguments : {"info", "info a.mp3 b.mp3"}) {
    SCOPED_TRACE(arguments);
    CliRun run = RunCli(arguments, errors);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    std::string message = ReadText(errors);
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(message.find('\n'), message.size() - 1);
  }
}

}  // namespace
}  // namespace kz
