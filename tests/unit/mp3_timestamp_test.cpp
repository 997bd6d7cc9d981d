#include "mp3/timestamp.h"

#include <gtest/gtest.h>

#include <ctime>
#include <limits>

#include "platform/posix/posix_file_system.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

constexpr Timestamp k15July2006Noon = 1152964800;

TEST(FormatTimestamp, ReplacesEachTokenWithItsField) {
  EXPECT_EQ(FormatTimestamp("%yyyy-%mm-%dd %hh:%ii:%ss", k15July2006Noon + 3723),
            "2006-07-15 13:02:03");
  EXPECT_EQ(FormatTimestamp("%mm.%dd.%yyyy", k15July2006Noon), "07.15.2006");
  EXPECT_EQ(FormatTimestamp("%dd/%mm/%yy", 0), "01/01/70");
  EXPECT_EQ(FormatTimestamp("Datum %dd.%mm.%yyyy!", 0), "Datum 01.01.1970!");
}

TEST(FormatTimestamp, TokensAreTriedInTheirOrder) {
  EXPECT_EQ(FormatTimestamp("%yyy", k15July2006Noon), "06y");      // "yy", then "y" copied
  EXPECT_EQ(FormatTimestamp("%yyyyy", k15July2006Noon), "2006y");  // "yyyy" before "yy"
  EXPECT_EQ(FormatTimestamp("%mmm", k15July2006Noon), "07m");
}

TEST(FormatTimestamp, PercentBeforeAnythingElseIsCopied) {
  EXPECT_EQ(FormatTimestamp("100%", 0), "100%");
  EXPECT_EQ(FormatTimestamp("%", 0), "%");
  EXPECT_EQ(FormatTimestamp("%x%d%i%s%h%y%m", 0), "%x%d%i%s%h%y%m");
  EXPECT_EQ(FormatTimestamp("%%dd", 0), "%01");  // the second "%" starts a token
  EXPECT_EQ(FormatTimestamp("%YYYY %MM %DD %HH %II %SS", 0), "%YYYY %MM %DD %HH %II %SS");
  EXPECT_EQ(FormatTimestamp("", k15July2006Noon), "");
}

TEST(FormatTimestamp, PlayingTimeLosesItsHours) {
  EXPECT_EQ(FormatTimestamp("%ii:%ss", 185), "03:05");
  EXPECT_EQ(FormatTimestamp("%ii:%ss", 3725), "02:05");
  EXPECT_EQ(FormatTimestamp("%ii:%ss", 0), "00:00");
  EXPECT_EQ(FormatTimestamp("%ii:%ss", 59 * 60 + 59), "59:59");
}

TEST(FormatTimestamp, CalendarIsGregorianUtcOverTheWholeRange) {
  const char* full = "%yyyy-%mm-%dd %hh:%ii:%ss";
  EXPECT_EQ(FormatTimestamp(full, 951782400), "2000-02-29 00:00:00");  // century leap year
  EXPECT_EQ(FormatTimestamp(full, 951868800), "2000-03-01 00:00:00");
  EXPECT_EQ(FormatTimestamp(full, 1078012800), "2004-02-29 00:00:00");
  EXPECT_EQ(FormatTimestamp(full, 1230768000 - 1), "2008-12-31 23:59:59");
  EXPECT_EQ(FormatTimestamp(full, std::numeric_limits<Timestamp>::max()), "2038-01-19 03:14:07");
  // Before 1970: the previous day, not day zero.
  EXPECT_EQ(FormatTimestamp(full, -1), "1969-12-31 23:59:59");
  EXPECT_EQ(FormatTimestamp(full, -86400), "1969-12-31 00:00:00");
  EXPECT_EQ(FormatTimestamp(full, -86401), "1969-12-30 23:59:59");
  EXPECT_EQ(FormatTimestamp(full, std::numeric_limits<Timestamp>::min()), "1901-12-13 20:45:52");
  EXPECT_EQ(FormatTimestamp("%yy", std::numeric_limits<Timestamp>::min()), "01");

  // Every day of the range against the C library's UTC breakdown.
  for (std::int64_t t = std::numeric_limits<Timestamp>::min(); t <= 2147483647; t += 86399) {
    std::time_t seconds = static_cast<std::time_t>(t);
    std::tm parts{};
    ASSERT_NE(gmtime_r(&seconds, &parts), nullptr);
    char expected[32];
    std::strftime(expected, sizeof expected, "%Y-%m-%d %H:%M:%S", &parts);
    ASSERT_EQ(FormatTimestamp(full, static_cast<Timestamp>(t)), expected) << t;
  }
}

// A file system that reports one fixed creation time and nothing else.
class CreationTimeOnly final : public FileSystem {
 public:
  std::optional<std::int64_t> created;

  char Separator() const override { return '/'; }
  std::unique_ptr<FolderListing> OpenSearch(std::string_view) override { return nullptr; }
  std::optional<std::string> FolderIdentity(std::string_view) override { return {}; }
  std::int64_t FileSize(std::string_view) override { return -1; }
  std::optional<std::int64_t> CreationTime(std::string_view) override { return created; }
  std::unique_ptr<ListedFolder> OpenListedFolder(std::string_view, const ObjectId&) override {
    return nullptr;
  }
  std::unique_ptr<ReadOnlyFile> OpenReadOnly(std::string_view) override { return nullptr; }
  bool ListFolder(std::string_view, std::vector<FolderEntry>&) override { return false; }
  bool HasSubfolder(std::string_view) override { return false; }
};

TEST(FileCreationTimestamp, TimesOutsideTheRangeAreHeldAtItsEnds) {
  CreationTimeOnly files;
  EXPECT_EQ(FileCreationTimestamp(files, "x"), 0);  // not found
  files.created = k15July2006Noon;
  EXPECT_EQ(FileCreationTimestamp(files, "x"), k15July2006Noon);
  files.created = -11644473600LL;  // 1601, the earliest a Windows file time holds
  EXPECT_EQ(FileCreationTimestamp(files, "x"), std::numeric_limits<Timestamp>::min());
  files.created = 4102444800LL;  // 2100
  EXPECT_EQ(FileCreationTimestamp(files, "x"), std::numeric_limits<Timestamp>::max());
  files.created = -5;
  EXPECT_EQ(FileCreationTimestamp(files, "x"), -5);
}

TEST(FileCreationTimestamp, RealFileIsDatedNowAndAMissingOneIsZero) {
  testing::TempFolder folder;
  PosixFileSystem files;
  std::int64_t before = std::time(nullptr);
  std::string path = folder.Write("new.mp3", {1, 2, 3});
  Timestamp created = FileCreationTimestamp(files, path);
  EXPECT_GE(created, before - 2);
  EXPECT_LE(created, std::time(nullptr) + 2);
  EXPECT_EQ(FileCreationTimestamp(files, folder.File("gone.mp3")), 0);
}

}  // namespace
}  // namespace kz
