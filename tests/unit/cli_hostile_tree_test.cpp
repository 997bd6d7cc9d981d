// The command-line companion's search on trees a user's disk may hold: deeper than the path
// limit, folders and files it may not read, files beyond 4 GiB.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/fakes/cli_runner.h"
#include "tests/fakes/temp_tree.h"

namespace kz {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::RunCli;
using testing::ShellQuoted;

const char* const kSucceeded = " Suche erfolgreich beendet!\n";
const char* const kNothingFound = " Suche beendet! Keine doppelten MP3-Dateien gefunden!\n";

std::string Repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

// The printed rows without their ID cells, in name order, then by cells: namesakes are listed
// in the order the file system delivered them, which varies. The IDs must be 0 to n-1.
std::multiset<std::string> Rows(const std::string& out) {
  std::multiset<std::string> rows;
  std::set<long> ids;
  std::size_t start = 0;
  while (start < out.size()) {
    std::size_t end = out.find('\n', start);
    if (end == std::string::npos) end = out.size();
    std::string line = out.substr(start, end - start);
    std::size_t tab = line.rfind('\t');
    if (tab == std::string::npos) {
      rows.insert("no ID: " + line);
    } else {
      ids.insert(std::strtol(line.c_str() + tab + 1, nullptr, 10));
      rows.insert(line.substr(0, tab));
    }
    start = end + 1;
  }
  if (ids.size() != rows.size() ||
      (!ids.empty() && *ids.rbegin() != static_cast<long>(ids.size()) - 1)) {
    rows.insert("IDs are not 0 to n-1");
  }
  return rows;
}
using Lines = std::multiset<std::string>;

struct HostileTreeTest : ::testing::Test {
  void SetUp() override {
    if (testing::CliPath().empty()) GTEST_SKIP() << "KZ_CLI names no command-line binary";
    fs::create_directories(scratch);
    fs::create_directories(root);
  }
  CliRun Scan(const std::string& folder, const std::string& prefix = "",
              const std::string& cli = testing::CliPath()) {
    return RunCli("scan " + ShellQuoted(folder), scratch, "/", prefix, cli);
  }
  testing::TempTree tree;
  std::string scratch = tree.root() + "scratch";
  std::string root = tree.root() + "scanned/";
};

// Folders nested `levels` deep below `parent`, made one level at a time relative to the last, so
// that no call ever passes the long path. Files named `file` at the levels in `fileLevels`.
void MakeChain(const std::string& parent, const std::string& folder, int levels,
               const std::vector<int>& fileLevels, const std::string& file) {
  int at = open(parent.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(at, 0);
  for (int level = 0; level <= levels; ++level) {
    for (int wanted : fileLevels) {
      if (wanted == level) close(openat(at, file.c_str(), O_CREAT | O_WRONLY, 0644));
    }
    if (level == levels) break;
    ASSERT_EQ(mkdirat(at, folder.c_str(), 0755), 0);
    int next = openat(at, folder.c_str(), O_RDONLY | O_DIRECTORY);
    close(at);
    ASSERT_GE(next, 0);
    at = next;
  }
  close(at);
}

TEST_F(HostileTreeTest, ATreeDeeperThanThePathLimitIsScannedAsFarAsPathsReach) {
  // 1000 levels of "tief/" make paths of over 5000 bytes, beyond the 4096 the kernel takes.
  MakeChain(root, "tief", 1000, {0, 400, 1000}, "song.mp3");
  CliRun run = Scan(root);
  // rm walks the chain level by level; std::filesystem gives up on such paths.
  std::system(("rm -rf " + ShellQuoted(root + "tief")).c_str());

  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(Rows(run.out),
            (Lines{"song.mp3\t1 KB\t.../", "song.mp3\t1 KB\t.../" + Repeated("tief/", 400)}))
      << run.out.substr(0, 200);
  // The first folder whose path is too long to list is reported: a path of "tief/" over 4000
  // bytes, on a line of its own.
  std::string head = "klangzwilling-cli scan: 1 folder could not be read:\n  " + root;
  std::string tail = std::string("/\n") + kSucceeded + "Anzahl Dateien : 2\n";
  ASSERT_GT(run.err.size(), head.size() + 4000 + tail.size()) << run.err.substr(0, 200);
  EXPECT_EQ(run.err.substr(0, head.size()), head);
  EXPECT_EQ(run.err.substr(run.err.size() - tail.size()), tail);
  std::string chain = run.err.substr(head.size(), run.err.size() - tail.size() + 1 - head.size());
  EXPECT_EQ(chain, Repeated("tief/", static_cast<int>(chain.size() / 5)));
}

TEST_F(HostileTreeTest, FoldersAndFilesThatMayNotBeReadAreSkippedOrShownAsTheyAre) {
  tree.Write("scanned/a/x.mp3", std::string(3000, 'a'));
  std::string unreadable = tree.Write("scanned/b/x.mp3", std::string(5000, 'b'));
  tree.Write("scanned/locked/x.mp3", "");
  tree.Write("scanned/locked/inner/x.mp3", "");
  tree.Write("scanned/c/y.mp3", "");
  std::string locked = root + "locked";
  chmod(unreadable.c_str(), 0);
  chmod(locked.c_str(), 0);
  // Root may read anything, so the program then runs as an ordinary user, from a copy that user
  // may start, over a tree that user may enter.
  std::string prefix;
  std::string cli = testing::CliPath();
  if (geteuid() == 0) {
    prefix = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    cli = tree.root() + "klangzwilling-cli";
    fs::copy_file(testing::CliPath(), cli);
    chmod(tree.root().c_str(), 0755);
    chmod(scratch.c_str(), 0777);
  }

  // The locked folder is counted but contributes nothing; the unreadable file is listed and
  // its size known, so it is a namesake like any other.
  // The locked folder is reported on stderr, unless --quiet.
  CliRun run = Scan(root, prefix, cli);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Rows(run.out), (Lines{"x.mp3\t3 KB\t.../a/", "x.mp3\t5 KB\t.../b/"}));
  EXPECT_EQ(run.err, "klangzwilling-cli scan: 1 folder could not be read:\n  " + locked + "/\n" +
                         kSucceeded + "Anzahl Dateien : 2\n");
  CliRun quiet = RunCli("scan --quiet " + ShellQuoted(root), scratch, "/", prefix, cli);
  EXPECT_EQ(quiet.out, run.out);
  EXPECT_EQ(quiet.err, std::string(kSucceeded) + "Anzahl Dateien : 2\n");

  // A folder argument that cannot be read: a message and exit code 1.
  CliRun lockedRoot = Scan(locked + "/", prefix, cli);
  EXPECT_EQ(lockedRoot.status, 1) << lockedRoot.err;
  EXPECT_EQ(lockedRoot.out, "");
  EXPECT_EQ(lockedRoot.err, "klangzwilling-cli scan: cannot read the folder '" + locked + "/'\n");

  // Its header cannot be read: a message, and exit code 1.
  CliRun info = RunCli("info " + ShellQuoted(unreadable), scratch, "/", prefix, cli);
  EXPECT_EQ(info.status, 1);
  EXPECT_EQ(info.out, "");
  EXPECT_EQ(info.err, "klangzwilling-cli info: cannot read '" + unreadable +
                          "': it cannot be opened for reading\n");
  chmod(locked.c_str(), 0755);
}

TEST_F(HostileTreeTest, FilesBeyondFourGibibytesShowTheirSizeInKilobytes) {
  for (const char* relative : {"scanned/a/huge.mp3", "scanned/b/huge.mp3"}) {
    std::string path = tree.Write(relative, "");
    // Sparse: 2^32 + 41828 bytes that take no room on the disk.
    ASSERT_EQ(truncate(path.c_str(), (std::int64_t{1} << 32) + 41828), 0);
  }
  CliRun run = Scan(root);
  EXPECT_EQ(run.status, 0);
  // 4194304 KB for the 4 GiB, 40 for the rest, and one more as for every size.
  EXPECT_EQ(Rows(run.out), (Lines{"huge.mp3\t4194345 KB\t.../a/", "huge.mp3\t4194345 KB\t.../b/"}));
}

}  // namespace
}  // namespace kz
