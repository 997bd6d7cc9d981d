// Runs the built klangzwilling-cli (path in KZ_CLI) on temporary trees.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/command_line.h"
#include "search/run_search.h"
#include "tests/fakes/cli_runner.h"
#include "tests/unit/search_fixture.h"

namespace kz {
namespace {

using testing::CliRun;
using testing::RunCli;
using testing::SearchTest;
std::string Quoted(const std::string& text) {
  return testing::ShellQuoted(text);
}

struct CliTest : SearchTest {
  // `klangzwilling-cli scan` with these arguments, run in `directory`.
  CliRun Scan(const std::string& arguments, const std::string& directory = "/") {
    EXPECT_FALSE(testing::CliPath().empty()) << "KZ_CLI names the built klangzwilling-cli";
    return RunCli("scan " + arguments, tree.root(), directory);
  }
  // The rows the desktop program's search shows for the same tree, as the CLI prints them.
  std::string InProcessRows() {
    RunSearch(program);
    std::string lines;
    for (const auto& row : ui.Rows(id::kResultList)) {
      for (std::size_t i = 0; i < row.cells.size(); ++i) lines += (i ? "\t" : "") + row.cells[i];
      lines += "\n";
    }
    return lines;
  }
};

TEST_F(CliTest, PrintsTheRowsOfTheSameSearchAndTheStatusTexts) {
  tree.File("scanned/a/x.mp3", 3000);
  tree.File("scanned/b/x.mp3");
  tree.File("scanned/b/Y.MP3");
  tree.File("scanned/y.mp3");
  tree.File("scanned/c/y.mp3");
  tree.Link("scanned/c/loop", root);
  CliRun run = Scan(Quoted(root));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, InProcessRows());
  EXPECT_NE(run.out.find("x.mp3\t3 KB\t.../a/\t"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("y.mp3\t1 KB\t.../\t"), std::string::npos) << run.out;
  EXPECT_EQ(run.err, " Suche erfolgreich beendet!\nAnzahl Dateien : 4\n");

  // A relative folder without its trailing separator is the same root.
  CliRun relative = Scan("scanned", tree.root());
  EXPECT_EQ(relative.status, 0);
  EXPECT_EQ(relative.out, run.out);
}

TEST_F(CliTest, FlatScansOnlyTheFolderItselfAndNothingFoundIsNoError) {
  tree.File("scanned/x.mp3");
  tree.File("scanned/sub/x.mp3");
  CliRun flat = Scan("--flat " + Quoted(root));
  EXPECT_EQ(flat.status, 0);
  EXPECT_EQ(flat.out, "");
  EXPECT_EQ(flat.err,
            " Suche beendet! Keine doppelten MP3-Dateien gefunden!\nAnzahl Dateien : 0\n");

  CliRun deep = Scan(Quoted(root) + " --flat");
  EXPECT_EQ(deep.out, flat.out);
  EXPECT_EQ(Scan(Quoted(root)).err, " Suche erfolgreich beendet!\nAnzahl Dateien : 2\n");
}

TEST_F(CliTest, UsageErrorsExitWithTwoAndUnreadableFoldersWithOne) {
  std::string file = tree.File("scanned/file.mp3");
  for (const std::string& arguments :
       {std::string(""), std::string("--flat"), std::string("--deep ") + Quoted(root),
        Quoted(root) + " " + Quoted(root), std::string("--format xml ") + Quoted(root),
        std::string("--min-size 1k ") + Quoted(root), Quoted(root) + " --exclude",
        std::string("--flat=yes ") + Quoted(root)}) {
    CliRun run = Scan(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
    // One line saying what is wrong, then the usage.
    EXPECT_EQ(run.err.rfind("klangzwilling-cli scan: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("\nusage: klangzwilling-cli scan [OPTIONS] [--] FOLDER\n"),
              std::string::npos)
        << arguments << ": " << run.err;
  }
  for (const std::string& arguments : {Quoted(root + "missing"), Quoted(file)}) {
    CliRun run = Scan(arguments);
    EXPECT_EQ(run.status, 1) << arguments;
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << arguments << ": " << run.err;
  }
}

TEST(CommandLine, TheFirstInterruptIsNotedTheSecondEndsTheProcess) {
  CatchFirstInterrupt();
  EXPECT_FALSE(TakeInterrupt());
  raise(SIGINT);
  EXPECT_TRUE(TakeInterrupt());
  EXPECT_FALSE(TakeInterrupt());
  EXPECT_EXIT(
      {
        CatchFirstInterrupt();
        raise(SIGINT);
        raise(SIGINT);
        std::exit(0);
      },
      ::testing::KilledBySignal(SIGINT), "");
}

TEST(CommandLine, AbsoluteFolderPathEndsInTheSeparator) {
  testing::TempTree tree;
  std::string folder = tree.Folder("a/b");
  EXPECT_EQ(AbsoluteFolderPath(folder.substr(0, folder.size() - 1)), folder);
  EXPECT_EQ(AbsoluteFolderPath(folder + "../b/"), folder);
  EXPECT_EQ(AbsoluteFolderPath("/"), "/");
  EXPECT_EQ(AbsoluteFolderPath(tree.File("a/file")), std::nullopt);
  EXPECT_EQ(AbsoluteFolderPath(tree.root() + "none"), std::nullopt);
  EXPECT_EQ(AbsoluteFolderPath(""), std::nullopt);
}

}  // namespace
}  // namespace kz
