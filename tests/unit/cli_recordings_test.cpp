// The scan's comparison of recordings, run as the built binary: the recording in every format,
// the rows --same-recording keeps, and a Ctrl+C while it compares.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tests/fakes/cli_runner.h"
#include "tests/fakes/record_parsers.h"
#include "tests/fakes/temp_tree.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::ShellQuoted;

// `frames` frames of 417 bytes, each body filled with `fill`, behind an ID3v2 tag and before
// an ID3v1 tag when asked.
std::string Audio(std::uint8_t fill, int frames = 4, bool id3v2 = false, bool id3v1 = false) {
  testing::Mp3Bytes file;
  if (id3v2) file.Id3v2(300);
  for (int frame = 0; frame < frames; ++frame) {
    file.Frames(0xFB, 0x90, 417);
    std::fill(file.bytes().end() - 413, file.bytes().end(), fill);
  }
  if (id3v1) file.Id3v1();
  return {file.bytes().begin(), file.bytes().end()};
}

// Files of one name with one letter are one recording; '?' is unreadable as audio.
const std::map<std::string, std::pair<std::string, char>> kLibrary = {
    {"a/copy.mp3", {Audio(1), 'A'}},
    {"b/copy.mp3", {Audio(1), 'A'}},
    {"a/tagged.mp3", {Audio(2), 'A'}},
    {"b/tagged.mp3", {Audio(2, 4, true), 'A'}},
    {"c/tagged.mp3", {Audio(2, 4, false, true), 'A'}},
    {"a/other.mp3", {Audio(3), 'A'}},
    {"b/other.mp3", {Audio(4), 'B'}},  // the same length
    {"a/mixed.mp3", {Audio(5), 'A'}},
    {"b/mixed.mp3", {Audio(5, 4, false, true), 'A'}},
    {"c/mixed.mp3", {Audio(6), 'B'}},
    {"a/longer.mp3", {Audio(7), 'A'}},
    {"b/longer.mp3", {Audio(7, 5), 'B'}},
    {"a/none.mp3", {"no audio", '?'}},
    {"b/none.mp3", {"no audio", '?'}},
};

// A record as read back: the path below the root, the group and the recording field.
using Row = std::tuple<std::string, std::int64_t, std::string>;

struct CliRecordingsTest : ::testing::Test {
  void SetUp() override {
    if (testing::CliPath().empty()) GTEST_SKIP() << "KZ_CLI names no command-line binary";
    for (const auto& [relative, file] : kLibrary) tree.Write("s/" + relative, file.first);
  }
  testing::CliRun Scan(const std::string& options) {
    return testing::RunCli("scan " + options + " " + ShellQuoted(tree.root() + "s"), tree.root());
  }
  // The rows of `format`, checked against its own syntax.
  std::vector<Row> Rows(const std::string& format, const std::string& options) {
    testing::CliRun run = Scan("--format " + format + " " + options);
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<Row> rows;
    std::string root = tree.root() + "s/";
    if (format == "csv") {
      auto table = testing::ParseCsv(run.out).value();
      EXPECT_EQ(table.front(),
                (std::vector<std::string>{"name", "path", "size", "group", "id", "recording"}));
      for (std::size_t i = 1; i < table.size(); ++i) {
        rows.emplace_back(table[i][1].substr(root.size()), std::stoll(table[i][3]), table[i][5]);
      }
      return rows;
    }
    std::vector<std::string> lines = testing::SplitRecords(run.out, '\n').value();
    for (const std::string& line : lines) {
      std::vector<std::string> cells;
      std::istringstream split(line);
      for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
      if (line.back() == '\t') cells.emplace_back();
      if (format == "json") {
        testing::JsonObject object = testing::ParseJsonObject(line).value();
        const testing::JsonValue& number = object.at("recording");
        rows.emplace_back(std::get<std::string>(object.at("path")).substr(root.size()),
                          std::get<std::int64_t>(object.at("group")),
                          std::holds_alternative<std::int64_t>(number)
                              ? std::to_string(std::get<std::int64_t>(number))
                              : "");
      } else if (format == "tsv" && line.rfind("name\t", 0) == 0) {
        EXPECT_EQ(line, "name\tpath\tsize\tgroup\tid\trecording");
      } else if (format == "tsv") {
        rows.emplace_back(cells[1].substr(root.size()), std::stoll(cells[3]), cells[5]);
      } else {
        EXPECT_EQ(cells.size(), 5u) << line;
        rows.emplace_back(cells[2].substr(4) + cells[0], 0, cells[4]);
      }
    }
    return rows;
  }
  testing::TempTree tree;
};

// What the rows must show, numbered from 1 in their order within each name.
std::vector<Row> Numbered(const std::vector<Row>& rows, const std::string& unreadable) {
  std::vector<Row> expected;
  std::map<std::string, std::map<char, int>> numbers;
  for (const auto& [path, group, field] : rows) {
    char letter = kLibrary.at(path).second;
    auto& ofName = numbers[path.substr(2)];
    if (letter != '?') ofName.try_emplace(letter, static_cast<int>(ofName.size()) + 1);
    expected.emplace_back(path, group, letter == '?' ? unreadable : std::to_string(ofName[letter]));
  }
  return expected;
}

TEST_F(CliRecordingsTest, EveryFormatCarriesTheWindowsRecording) {
  for (const auto& [format, unreadable] : std::map<std::string, std::string>{
           {"window", "?"}, {"csv", ""}, {"tsv", ""}, {"json", ""}}) {
    SCOPED_TRACE(format);
    std::vector<Row> rows = Rows(format, "--recordings");
    EXPECT_EQ(rows.size(), kLibrary.size());
    EXPECT_EQ(rows, Numbered(rows, unreadable));
  }
  EXPECT_EQ(Scan("--recordings").err,
            " Suche erfolgreich beendet!\n 14 Dateien verglichen: 3 Aufnahme(n) mit mehreren "
            "Kopien\nAnzahl Dateien : 14\n");
}

TEST_F(CliRecordingsTest, SameRecordingKeepsTheTrueCopiesAlone) {
  std::vector<Row> rows = Rows("json", "--same-recording");
  std::set<std::string> paths;
  std::map<std::string, std::int64_t> groups;
  for (const auto& [path, group, field] : rows) {
    paths.insert(path);
    groups.emplace(path.substr(2), group);
    EXPECT_EQ(groups.at(path.substr(2)), group) << path;
  }
  EXPECT_EQ(paths,
            (std::set<std::string>{"a/copy.mp3", "b/copy.mp3", "a/tagged.mp3", "b/tagged.mp3",
                                   "c/tagged.mp3", "a/mixed.mp3", "b/mixed.mp3"}));
  // The groups count the names shown.
  std::set<std::int64_t> numbers;
  for (const auto& [name, group] : groups) numbers.insert(group);
  EXPECT_EQ(numbers, (std::set<std::int64_t>{1, 2, 3}));
  EXPECT_EQ(Rows("window", "--same-recording").size(), paths.size());
}

TEST_F(CliRecordingsTest, CtrlCCutsTheComparisonShortAndPrintsEveryRow) {
  // Enough copies that the comparison still runs when the signal arrives.
  for (int i = 0; i < 10000; ++i) {
    tree.Write("many/a/" + std::to_string(i) + ".mp3", Audio(1));
    tree.Write("many/b/" + std::to_string(i) + ".mp3", Audio(1));
  }
  std::string root = tree.root() + "many", out = tree.root() + "out.txt";
  std::string err = tree.root() + "err.txt";
  pid_t child = testing::StartCli({"scan", "--recordings", root}, out, err);
  ASSERT_GE(child, 0);
  // The search opens folders, never a file: an MP3 file open means the comparison runs. (The
  // bytes read would not tell: under an emulator they count its own reads of the program.)
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!testing::HasOpenBelow(child, root, ".mp3") &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  kill(child, SIGINT);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 130);
  std::stringstream rows, messages;
  rows << std::ifstream(out).rdbuf();
  messages << std::ifstream(err).rdbuf();
  EXPECT_NE(messages.str().find("comparison was cut short by Ctrl+C"), std::string::npos)
      << messages.str();
  std::map<std::string, int> recordings;  // cell -> rows
  std::istringstream lines(rows.str());
  for (std::string line; std::getline(lines, line);) ++recordings[line.substr(line.rfind('\t'))];
  EXPECT_EQ(recordings["\t"] + recordings["\t1"], 20000) << "every row, compared or not";
  EXPECT_GT(recordings["\t"], 0) << "cut short before the end";
}

}  // namespace
}  // namespace kz
