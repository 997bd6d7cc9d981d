// What klangzwilling-cli shares with every Unix tool: help, version, "--", exit codes, Ctrl+C
// and a failed write of its output.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>

#include "common/version.h"
#include "tests/fakes/cli_runner.h"
#include "tests/fakes/temp_tree.h"

namespace kz {
namespace {

using testing::CliRun;
using testing::ShellQuoted;

struct CliConventionsTest : ::testing::Test {
  void SetUp() override {
    if (testing::CliPath().empty()) GTEST_SKIP() << "KZ_CLI names no command-line binary";
  }
  CliRun Run(const std::string& arguments) {
    return testing::RunCli(arguments, tree.root(), tree.root());
  }
  // The exit code and stderr of a run whose stdout goes to `device`.
  CliRun RunInto(const std::string& arguments, const std::string& device) {
    std::string err = tree.root() + "stderr.txt";
    std::string command = testing::CliCommand() + " " + arguments + " >" + device + " 2>" +
                          ShellQuoted(err) + " </dev/null";
    int status = std::system(command.c_str());
    std::stringstream text;
    text << std::ifstream(err).rdbuf();
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", text.str()};
  }
  testing::TempTree tree;
};

TEST_F(CliConventionsTest, HelpAndVersionGoToStdoutAndExitWithZero) {
  for (const char* option : {"--help", "-h"}) {
    CliRun help = Run(option);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* needed : {"usage: klangzwilling-cli", "scan [OPTIONS] [--] FOLDER",
                               "info [--] FILE", "Exit status", "130"}) {
      EXPECT_NE(help.out.find(needed), std::string::npos) << needed;
    }
  }
  CliRun version = Run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "klangzwilling-cli " KZ_VERSION_TEXT "\n");

  CliRun scanHelp = Run("scan --help");
  EXPECT_EQ(scanHelp.status, 0);
  for (const char* option :
       {"--format window", "--format csv", "--format tsv", "--format json", "JSON Lines",
        "-0, --null", "--flat", "--exclude GLOB", "-q, --quiet", "--same-size", "--ignore-case",
        "--min-size BYTES", "Latin, Greek and Cyrillic", "--recordings", "--same-recording",
        "Exit status"}) {
    EXPECT_NE(scanHelp.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(Run("scan -h").out, scanHelp.out);
}

TEST_F(CliConventionsTest, UsageErrorsOfTheProgramExitWithTwo) {
  for (const char* arguments : {"", "play x.mp3", "--verbose", "-x"}) {
    CliRun run = Run(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_EQ(run.err.rfind("klangzwilling-cli: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("\nusage: klangzwilling-cli scan"), std::string::npos) << run.err;
  }
}

TEST_F(CliConventionsTest, DoubleDashEndsTheOptions) {
  tree.Write("-h/a/x.mp3", "");
  tree.Write("-h/b/x.mp3", "");
  CliRun run = Run("scan -- -h");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, 11), "x.mp3\t1 KB\t");
  CliRun flat = Run("scan --flat -- -h");
  EXPECT_EQ(flat.out, "");
  EXPECT_EQ(Run("scan -- -h --flat").status, 2);  // a second FOLDER
}

TEST_F(CliConventionsTest, AFullOutputDeviceIsAFailure) {
  tree.Write("a/x.mp3", "");
  tree.Write("b/x.mp3", "");
  for (const std::string& arguments :
       {"scan " + ShellQuoted(tree.root()), "scan --format csv " + ShellQuoted(tree.root()),
        std::string("--help"), std::string("--version"), std::string("scan --help"),
        "info " + ShellQuoted(tree.root() + "a/x.mp3")}) {
    CliRun run = RunInto(arguments, "/dev/full");
    EXPECT_EQ(run.status, 3) << arguments;
    EXPECT_NE(run.err.find("klangzwilling-cli: writing the output failed: No space left"),
              std::string::npos)
        << arguments << ": " << run.err;
    EXPECT_EQ(RunInto(arguments, "/dev/null").status, arguments.rfind("info", 0) == 0 ? 1 : 0);
  }
}

TEST_F(CliConventionsTest, CtrlCPrintsTheRowsFoundSoFarAndExitsWith130) {
  // Enough folders that the scan is still running when the signal arrives; a namesake pair in
  // every hundredth.
  std::string root = tree.root() + "scanned/";
  for (int i = 0; i < 20000; ++i) {
    std::string folder = root + std::to_string(i / 200) + "/" + std::to_string(i);
    std::filesystem::create_directories(folder);
    if (i % 100 == 0) std::ofstream(folder + "/x.mp3");
  }
  CliRun full = Run("scan " + ShellQuoted(root));
  ASSERT_EQ(full.status, 0);
  std::string out = tree.root() + "out.txt", err = tree.root() + "err.txt";
  pid_t child = testing::StartCli({"scan", root}, out, err);
  ASSERT_GE(child, 0);
  // The root's own check opens the root; a listing below it means the search runs.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!testing::HasOpenBelow(child, root) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  kill(child, SIGINT);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 130);
  std::stringstream rows, messages;
  rows << std::ifstream(out).rdbuf();
  messages << std::ifstream(err).rdbuf();
  EXPECT_NE(messages.str().find("cut short by Ctrl+C"), std::string::npos) << messages.str();
  EXPECT_EQ(messages.str().find("erfolgreich"), std::string::npos) << messages.str();
  // Every row printed is a row of the full search (the IDs may differ), and fewer of them.
  auto withoutIds = [](const std::string& text) {
    std::multiset<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
      lines.insert(line.substr(0, line.rfind('\t')));
    return lines;
  };
  std::multiset<std::string> cut = withoutIds(rows.str()), all = withoutIds(full.out);
  EXPECT_TRUE(std::includes(all.begin(), all.end(), cut.begin(), cut.end()));
  EXPECT_LT(cut.size(), all.size());
}

}  // namespace
}  // namespace kz
