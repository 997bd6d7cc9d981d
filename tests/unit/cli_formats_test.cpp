// The scan's output formats, read back with strict parsers: names with TAB, line feed, carriage
// return, quotes, commas, backslashes and non-ASCII letters must come back byte for byte.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tests/fakes/cli_runner.h"
#include "tests/fakes/record_parsers.h"
#include "tests/fakes/temp_tree.h"

namespace kz {
namespace {

using testing::CliRun;
using testing::ShellQuoted;

// name, path, size, group, id
using Record = std::tuple<std::string, std::string, std::int64_t, std::int64_t, std::int64_t>;

struct CliFormatTest : ::testing::Test {
  void SetUp() override {
    if (testing::CliPath().empty()) GTEST_SKIP() << "KZ_CLI names no command-line binary";
    root = tree.root() + "scanned/";
    scratch = tree.root();
    // Each name twice, in two folders, with sizes that tell the copies apart.
    Add("a/tab\there.mp3", 1);
    Add("b/tab\there.mp3", 2000);
    Add("a/line\nfeed.mp3", 3);
    Add("b\rc/line\nfeed.mp3", 4);
    Add("a/say \"hi\", \\ back.mp3", 5);
    Add("b/say \"hi\", \\ back.mp3", 6);
    Add("a/Gr\xC3\xB6\xC3\x9F"
        "e \xD0\x81\xD0\xB6.mp3",
        7);
    Add("\xC3\xBC/Gr\xC3\xB6\xC3\x9F"
        "e \xD0\x81\xD0\xB6.mp3",
        8);
    Add("a/solo.mp3", 9);
  }
  void Add(const std::string& relative, std::size_t bytes) {
    std::string path = tree.Write("scanned/" + relative, std::string(bytes, 'x'));
    if (relative != "a/solo.mp3") {
      expected.insert({path.substr(path.rfind('/') + 1), path, static_cast<std::int64_t>(bytes)});
    }
  }
  CliRun Scan(const std::string& options) {
    return testing::RunCli("scan " + options + " " + ShellQuoted(root), scratch);
  }
  // Checks what every format must hold: the expected files, one group per name, and the IDs of
  // the window's rows.
  void ExpectTheFiles(const std::vector<Record>& records) {
    std::set<std::tuple<std::string, std::string, std::int64_t>> files;
    std::map<std::string, std::int64_t> groupOfName;
    std::set<std::int64_t> groups, ids;
    for (const auto& [name, path, size, group, id] : records) {
      files.insert({name, path, size});
      auto [known, fresh] = groupOfName.emplace(name, group);
      EXPECT_EQ(known->second, group) << name;
      if (fresh) {
        EXPECT_TRUE(groups.insert(group).second) << "group " << group << " reused";
      }
      ids.insert(id);
    }
    EXPECT_EQ(files, expected);
    EXPECT_EQ(ids, WindowIds());
  }
  std::set<std::int64_t> WindowIds() {
    std::set<std::int64_t> ids;
    CliRun window = Scan("");
    std::vector<std::string> lines = testing::SplitRecords(window.out, '\n').value();
    for (const std::string& line : lines) {
      ids.insert(std::stoll(line.substr(line.rfind('\t') + 1)));
    }
    return ids;
  }

  testing::TempTree tree;
  std::string root, scratch;
  std::set<std::tuple<std::string, std::string, std::int64_t>> expected;
};

TEST_F(CliFormatTest, WindowRowsAreOneLineEachWithTheControlCharactersShownEscaped) {
  CliRun run = Scan("");
  EXPECT_EQ(run.status, 0) << run.err;
  std::optional<std::vector<std::string>> lines = testing::SplitRecords(run.out, '\n');
  ASSERT_TRUE(lines);
  std::multiset<std::string> withoutIds;
  for (const std::string& line : *lines) withoutIds.insert(line.substr(0, line.rfind('\t')));
  EXPECT_EQ(withoutIds, (std::multiset<std::string>{
                            "tab\\there.mp3\t1 KB\t.../a/",
                            "tab\\there.mp3\t2 KB\t.../b/",
                            "line\\nfeed.mp3\t1 KB\t.../a/",
                            "line\\nfeed.mp3\t1 KB\t.../b\\rc/",
                            "say \"hi\", \\ back.mp3\t1 KB\t.../a/",
                            "say \"hi\", \\ back.mp3\t1 KB\t.../b/",
                            "Gr\xC3\xB6\xC3\x9F"
                            "e \xD0\x81\xD0\xB6.mp3\t1 KB\t.../a/",
                            "Gr\xC3\xB6\xC3\x9F"
                            "e \xD0\x81\xD0\xB6.mp3\t1 KB\t.../\xC3\xBC/",
                        }));
  // -0 ends the same rows with NUL instead.
  CliRun nul = Scan("-0");
  EXPECT_EQ(testing::SplitRecords(nul.out, '\0'), lines);
}

TEST_F(CliFormatTest, CsvIsRfc4180WithAHeaderAndTheExactBytes) {
  CliRun run = Scan("--format csv");
  EXPECT_EQ(run.status, 0) << run.err;
  auto table = testing::ParseCsv(run.out);
  ASSERT_TRUE(table) << run.out;
  ASSERT_EQ(table->size(), expected.size() + 1);
  EXPECT_EQ(table->front(), (std::vector<std::string>{"name", "path", "size", "group", "id"}));
  std::vector<Record> records;
  for (std::size_t i = 1; i < table->size(); ++i) {
    const auto& fields = (*table)[i];
    ASSERT_EQ(fields.size(), 5u);
    records.emplace_back(fields[0], fields[1], std::stoll(fields[2]), std::stoll(fields[3]),
                         std::stoll(fields[4]));
  }
  ExpectTheFiles(records);
  // The records are sorted by name, so the groups count up.
  for (std::size_t i = 1; i < records.size(); ++i) {
    EXPECT_LE(std::get<3>(records[i - 1]), std::get<3>(records[i]));
  }
}

TEST_F(CliFormatTest, JsonLinesAreOneStrictObjectPerLineAndAgreeWithCsvAndTsv) {
  CliRun run = Scan("--format json");
  EXPECT_EQ(run.status, 0) << run.err;
  std::optional<std::vector<std::string>> lines = testing::SplitRecords(run.out, '\n');
  ASSERT_TRUE(lines);
  std::vector<Record> records;
  for (const std::string& line : *lines) {
    std::optional<testing::JsonObject> object = testing::ParseJsonObject(line);
    ASSERT_TRUE(object) << line;
    ASSERT_EQ(object->size(), 5u) << line;
    records.emplace_back(
        std::get<std::string>(object->at("name")), std::get<std::string>(object->at("path")),
        std::get<std::int64_t>(object->at("size")), std::get<std::int64_t>(object->at("group")),
        std::get<std::int64_t>(object->at("id")));
  }
  ExpectTheFiles(records);

  // NUL-terminated JSON: the same objects.
  EXPECT_EQ(testing::SplitRecords(Scan("--format json -0").out, '\0'), lines);

  // TSV: the same records in the same order, with its escapes undone.
  CliRun tsv = Scan("--format=tsv");
  std::optional<std::vector<std::string>> tsvLines = testing::SplitRecords(tsv.out, '\n');
  ASSERT_TRUE(tsvLines);
  ASSERT_EQ(tsvLines->size(), records.size() + 1);
  EXPECT_EQ(tsvLines->front(), "name\tpath\tsize\tgroup\tid");
  for (std::size_t i = 0; i < records.size(); ++i) {
    std::vector<std::string> fields;
    std::string line = (*tsvLines)[i + 1];
    for (std::size_t from = 0, tab;; from = tab + 1) {
      tab = line.find('\t', from);
      fields.push_back(line.substr(from, tab - from));
      if (tab == std::string::npos) break;
    }
    ASSERT_EQ(fields.size(), 5u) << line;
    EXPECT_EQ(testing::UnescapeTsv(fields[0]), std::get<0>(records[i]));
    EXPECT_EQ(testing::UnescapeTsv(fields[1]), std::get<1>(records[i]));
    EXPECT_EQ(fields[2] + "/" + fields[3] + "/" + fields[4],
              std::to_string(std::get<2>(records[i])) + "/" +
                  std::to_string(std::get<3>(records[i])) + "/" +
                  std::to_string(std::get<4>(records[i])));
  }
}

TEST_F(CliFormatTest, NamesThatAreNotUtf8StayValidJson) {
  tree.Write("scanned/a/bad\xFF.mp3", "");
  tree.Write("scanned/b/bad\xFF.mp3", "");
  CliRun run = Scan("--format json");
  std::size_t found = 0;
  std::vector<std::string> lines = testing::SplitRecords(run.out, '\n').value();
  for (const std::string& line : lines) {
    std::optional<testing::JsonObject> object = testing::ParseJsonObject(line);
    ASSERT_TRUE(object) << line;
    if (std::get<std::string>(object->at("name")) == "bad\xEF\xBF\xBD.mp3") ++found;
  }
  EXPECT_EQ(found, 2u);
}

TEST(RecordParsers, RejectWhatBreaksTheirFormat) {
  EXPECT_FALSE(testing::ParseCsv("a,b\n"));
  EXPECT_FALSE(testing::ParseCsv("\"a\r\n"));
  EXPECT_FALSE(testing::ParseCsv("a\"b\r\n"));
  EXPECT_EQ(testing::ParseCsv("\"a\"\"\r\n,\",b\r\n"),
            (std::vector<std::vector<std::string>>{{"a\"\r\n,", "b"}}));
  EXPECT_FALSE(testing::ParseJsonObject("{\"a\":\"\t\"}"));
  EXPECT_FALSE(testing::ParseJsonObject("{\"a\":\"\xFF\"}"));
  EXPECT_FALSE(testing::ParseJsonObject("{\"a\":1,}"));
  EXPECT_EQ(testing::ParseJsonObject("{\"a\":\"\\ud83c\\udfb5\",\"b\":-2}"),
            (testing::JsonObject{{"a", std::string("\xF0\x9F\x8E\xB5")}, {"b", -2}}));
}

}  // namespace
}  // namespace kz
