#include "core/result_row.h"

#include <gtest/gtest.h>

#include <string>

namespace kz {
namespace {

FileRecord OddRecord() {
  FileRecord record;
  record.id = 4711;
  record.name = "a\tb\nc\r.mp3";
  // The searched folder's text occurs twice: every occurrence is left out.
  record.directory = "C:\\Musik\\Pop\\C:\\Musik\\x\ty\\";
  record.sizeKB = 123;
  return record;
}

TEST(ResultRow, ControlCharactersAreShownAndTheRootIsCutEverywhere) {
  FileRecord record = OddRecord();
  EXPECT_EQ(RowText(record, "C:\\Musik\\", '\\'),
            "a\\tb\\nc\\r.mp3\n123 KB\n...\\Pop\\x\\ty\\\n4711");
  EXPECT_EQ(RowText(record, "", '/'),
            "a\\tb\\nc\\r.mp3\n123 KB\n.../C:\\Musik\\Pop\\C:\\Musik\\x\\ty\\\n4711");
  EXPECT_EQ(NameCell(record), "a\\tb\\nc\\r.mp3");
  EXPECT_EQ(FolderCell(record, "C:\\Musik\\", '\\'), "...\\Pop\\x\\ty\\");
  EXPECT_EQ(ShownText("\t\t"), "\\t\\t");
}

// The check without building must agree with the built text on every text near it: each
// prefix, each one-byte change and each one-byte extension.
TEST(ResultRow, ATextIsTheRowOfARecordOnlyWhenItIsExactlyItsRowText) {
  FileRecord record = OddRecord();
  for (const char* root : {"C:\\Musik\\", "", "\\"}) {
    const std::string row = RowText(record, root, '\\');
    EXPECT_TRUE(IsRowTextOf(row, record, root, '\\'));
    EXPECT_FALSE(IsRowTextOf(row, record, root, '/'));
    for (std::size_t length = 0; length < row.size(); ++length) {
      EXPECT_FALSE(IsRowTextOf(row.substr(0, length), record, root, '\\')) << length;
    }
    for (std::size_t at = 0; at < row.size(); ++at) {
      std::string changed = row;
      changed[at] = changed[at] == 'x' ? 'y' : 'x';
      EXPECT_FALSE(IsRowTextOf(changed, record, root, '\\')) << at;
    }
    EXPECT_FALSE(IsRowTextOf(row + "0", record, root, '\\'));
  }
}

}  // namespace
}  // namespace kz
