// The scan's matching options against the window's exact rule: each one's rows are a subset of
// the exact rule's rows, or (ignoring case) a regrouping that keeps every exact group whole.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "tests/fakes/cli_runner.h"
#include "tests/fakes/record_parsers.h"
#include "tests/fakes/temp_tree.h"

namespace kz {
namespace {

using testing::ShellQuoted;

// Path -> (group, id), read from JSON Lines.
struct Result {
  std::map<std::string, std::pair<std::int64_t, std::int64_t>> rows;
  std::set<std::string> Paths() const {
    std::set<std::string> paths;
    for (const auto& [path, row] : rows) paths.insert(path);
    return paths;
  }
  // The paths of each group.
  std::map<std::int64_t, std::set<std::string>> Groups() const {
    std::map<std::int64_t, std::set<std::string>> groups;
    for (const auto& [path, row] : rows) groups[row.first].insert(path);
    return groups;
  }
  std::int64_t GroupOf(const std::string& path) const { return rows.at(path).first; }
};

struct CliMatchingTest : ::testing::Test {
  void SetUp() override {
    if (testing::CliPath().empty()) GTEST_SKIP() << "KZ_CLI names no command-line binary";
    root = tree.root() + "scanned/";
    File("a/Take Five.mp3", 100);
    File("b/take five.MP3", 100);
    File("c/Take Five.mp3", 200);
    File("a/01 Intro.mp3", 10);
    File("b/01 Intro.mp3", 3000);
    File("a/\xCE\x91\xCE\xA3\xCE\xA4\xCE\xA1\xCE\x9F.mp3", 50);  // ΑΣΤΡΟ
    File("b/\xCE\xB1\xCF\x83\xCF\x84\xCF\x81\xCE\xBF.mp3", 50);  // αστρο
    File("a/\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0.mp3", 60);          // Ёлка
    File("c/\xD1\x91\xD0\xBB\xD0\xBA\xD0\xB0.mp3", 60);          // ёлка
    File("a/live/x.mp3", 500);
    File("b/x.mp3", 500);
    File("c/x.mp3", 400);
  }
  std::string File(const std::string& relative, std::size_t bytes) {
    return tree.Write("scanned/" + relative, std::string(bytes, 'x'));
  }
  std::string Path(const std::string& relative) { return root + relative; }
  Result Scan(const std::string& options) {
    testing::CliRun run =
        testing::RunCli("scan --format json " + options + " " + ShellQuoted(root), tree.root());
    EXPECT_EQ(run.status, 0) << options << ": " << run.err;
    Result result;
    std::vector<std::string> lines = testing::SplitRecords(run.out, '\n').value();
    for (const std::string& line : lines) {
      std::optional<testing::JsonObject> object = testing::ParseJsonObject(line);
      EXPECT_TRUE(object) << line;
      if (!object) continue;
      result.rows[std::get<std::string>(object->at("path"))] = {
          std::get<std::int64_t>(object->at("group")), std::get<std::int64_t>(object->at("id"))};
    }
    return result;
  }
  static bool IsSubset(const std::set<std::string>& part, const std::set<std::string>& whole) {
    return std::includes(whole.begin(), whole.end(), part.begin(), part.end());
  }

  testing::TempTree tree;
  std::string root;
};

TEST_F(CliMatchingTest, TheOwnRuleWithoutLimitsGivesTheWindowsRowsGroupsAndIds) {
  Result exact = Scan("");
  EXPECT_EQ(exact.Paths(),
            (std::set<std::string>{Path("a/Take Five.mp3"), Path("c/Take Five.mp3"),
                                   Path("a/01 Intro.mp3"), Path("b/01 Intro.mp3"),
                                   Path("a/live/x.mp3"), Path("b/x.mp3"), Path("c/x.mp3")}));
  // --min-size 0 leaves nothing out but runs the command line's own matching.
  Result own = Scan("--min-size 0");
  EXPECT_EQ(own.rows, exact.rows);
}

TEST_F(CliMatchingTest, SameSizeAndMinSizeKeepASubsetOfTheExactRows) {
  Result exact = Scan("");
  Result sameSize = Scan("--same-size");
  EXPECT_TRUE(IsSubset(sameSize.Paths(), exact.Paths()));
  EXPECT_EQ(sameSize.Paths(), (std::set<std::string>{Path("a/live/x.mp3"), Path("b/x.mp3")}));

  Result large = Scan("--min-size 100");
  EXPECT_TRUE(IsSubset(large.Paths(), exact.Paths()));
  // The 10-byte intro is left out, so the other one has no namesake any more.
  EXPECT_EQ(large.Paths(),
            (std::set<std::string>{Path("a/Take Five.mp3"), Path("c/Take Five.mp3"),
                                   Path("a/live/x.mp3"), Path("b/x.mp3"), Path("c/x.mp3")}));
  EXPECT_EQ(Scan("--min-size=201").Paths(),
            (std::set<std::string>{Path("a/live/x.mp3"), Path("b/x.mp3"), Path("c/x.mp3")}));
}

TEST_F(CliMatchingTest, IgnoreCaseRegroupsKeepingEveryExactGroupWhole) {
  Result exact = Scan("");
  Result folded = Scan("--ignore-case");
  EXPECT_TRUE(IsSubset(exact.Paths(), folded.Paths()));
  for (const auto& [group, paths] : exact.Groups()) {
    std::set<std::int64_t> foldedGroups;
    for (const std::string& path : paths) foldedGroups.insert(folded.GroupOf(path));
    EXPECT_EQ(foldedGroups.size(), 1u) << *paths.begin();
  }
  // Latin, Greek and Cyrillic names that differ in case only are now namesakes.
  EXPECT_EQ(folded.GroupOf(Path("b/take five.MP3")), folded.GroupOf(Path("a/Take Five.mp3")));
  EXPECT_EQ(folded.GroupOf(Path("a/\xCE\x91\xCE\xA3\xCE\xA4\xCE\xA1\xCE\x9F.mp3")),
            folded.GroupOf(Path("b/\xCE\xB1\xCF\x83\xCF\x84\xCF\x81\xCE\xBF.mp3")));
  EXPECT_EQ(folded.GroupOf(Path("a/\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0.mp3")),
            folded.GroupOf(Path("c/\xD1\x91\xD0\xBB\xD0\xBA\xD0\xB0.mp3")));
  EXPECT_EQ(folded.Groups().size(), 5u);

  // Together with --same-size: a subset of the folded rows.
  Result both = Scan("--ignore-case --same-size");
  EXPECT_TRUE(IsSubset(both.Paths(), folded.Paths()));
  EXPECT_EQ(both.GroupOf(Path("a/Take Five.mp3")), both.GroupOf(Path("b/take five.MP3")));
  EXPECT_EQ(both.rows.count(Path("c/Take Five.mp3")), 0u);
}

TEST_F(CliMatchingTest, ExcludeSkipsMatchingFoldersAndFiles) {
  Result exact = Scan("");
  Result noLive = Scan("--exclude live");
  EXPECT_TRUE(IsSubset(noLive.Paths(), exact.Paths()));
  EXPECT_EQ(noLive.rows.count(Path("a/live/x.mp3")), 0u);
  EXPECT_EQ(noLive.rows.count(Path("b/x.mp3")), 1u);  // c/x.mp3 is still its namesake

  Result several = Scan("--exclude 'l?ve' --exclude '[ab]' --exclude='*Intro*'");
  EXPECT_TRUE(IsSubset(several.Paths(), exact.Paths()));
  EXPECT_TRUE(several.rows.empty());

  Result files = Scan("--exclude '*.MP3' --ignore-case");
  EXPECT_EQ(files.rows.count(Path("b/take five.MP3")), 0u);
  EXPECT_EQ(files.rows.count(Path("a/Take Five.mp3")), 1u);
}

}  // namespace
}  // namespace kz
