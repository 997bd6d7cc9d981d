#include "search/detect_duplicates.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bench/quadratic_detection.h"
#include "search/fill_result_list.h"
#include "tests/unit/search_fixture.h"

namespace kz {
namespace {

using testing::FakeClock;
using testing::FakeUi;
using testing::Paths;
using testing::RecordingMedia;
using testing::SearchTest;

// Both scan lists get the same record, as the scan leaves them.
void Collected(Program& program, const std::string& directory, const std::string& name) {
  for (RecordList* list : {&program.foundFiles, &program.referenceFiles}) {
    FileRecord& record = list->insertAfterCurrent();
    record.name = name;
    record.directory = directory;
    record.sizeKB = 99;  // the detection measures again
  }
}

std::vector<std::string> Described(RecordList& list) {
  std::vector<std::string> records;
  list.rewind();
  while (list.advance()) {
    const FileRecord& r = list.current();
    records.push_back(std::to_string(r.id) + " " + r.directory + r.name.view() + " " +
                      std::to_string(r.sizeKB));
  }
  return records;
}

using Texts = std::vector<std::string>;

TEST_F(SearchTest, FourFilesGiveIdsInScanOrderAndRowsByName) {
  std::string d1 = tree.Folder("scanned/d1");
  std::string d2 = tree.Folder("scanned/d2");
  Collected(program, d1, "x.mp3");  // A
  Collected(program, d1, "y.mp3");  // S
  Collected(program, d2, "x.mp3");  // T
  Collected(program, d2, "y.mp3");  // U
  DetectDuplicates(program);
  EXPECT_EQ(Paths(program.duplicateIndex),
            (Texts{d1 + "|x.mp3", d1 + "|y.mp3", d2 + "|x.mp3", d2 + "|y.mp3"}));
  EXPECT_EQ(Described(program.duplicateList), Described(program.duplicateIndex));
  EXPECT_EQ(program.foundFiles.count(), 0);
  EXPECT_EQ(program.referenceFiles.count(), 4);

  FillResultList(program);
  EXPECT_EQ(RowTexts(), (Texts{"x.mp3|1 KB|.../d2/|2", "x.mp3|1 KB|.../d1/|0",
                               "y.mp3|1 KB|.../d2/|3", "y.mp3|1 KB|.../d1/|1"}));
  // DuplicateIndex is never sorted: the ID of a row selects its record there.
  EXPECT_EQ(program.duplicateIndex.selectAt(3)->directory, d2);
}

TEST_F(SearchTest, NamesakeCountsDecideTheOrderOfEqualNames) {
  Collected(program, root + "a/", "s.mp3");
  Collected(program, root + "b/", "s.mp3");
  DetectDuplicates(program);
  FillResultList(program);
  EXPECT_EQ(Column(3), (Texts{"1", "0"}));

  program.duplicateList.clear();
  program.duplicateIndex.clear();
  program.foundFiles.clear();
  program.referenceFiles.clear();
  ui.ClearRows(id::kResultList);
  Collected(program, root + "c/", "t.mp3");
  Collected(program, root + "d/", "t.mp3");
  Collected(program, root + "e/", "t.mp3");
  DetectDuplicates(program);
  FillResultList(program);
  EXPECT_EQ(Column(3), (Texts{"1", "2", "0"}));
}

TEST_F(SearchTest, OnlyExactNamesInAnotherDirectoryCount) {
  Collected(program, root + "a/", "Song.mp3");
  Collected(program, root + "b/", "song.mp3");  // another name: the comparison is case-sensitive
  Collected(program, root + "a/", "twice.mp3");
  Collected(program, root + "a/", "twice.mp3");  // same directory: no namesake
  Collected(program, root + "a/", "three.mp3");
  Collected(program, root + "a/", "three.mp3");
  Collected(program, root + "b/", "three.mp3");
  Collected(program, root + "a/", "lonely.mp3");
  DetectDuplicates(program);
  EXPECT_EQ(Paths(program.duplicateIndex),
            (Texts{root + "a/|three.mp3", root + "a/|three.mp3", root + "b/|three.mp3"}));
  EXPECT_EQ(Paths(program.foundFiles),
            (Texts{root + "a/|Song.mp3", root + "b/|song.mp3", root + "a/|twice.mp3",
                   root + "a/|twice.mp3", root + "a/|lonely.mp3"}));

  FillResultList(program);
  EXPECT_EQ(ui.status[0], " Suche erfolgreich beendet!");
  EXPECT_EQ(ui.status[1], "Anzahl Dateien : 3");
}

TEST_F(SearchTest, SizesAreMeasuredAgainAndAVanishedFileHasOneKilobyte) {
  tree.File("scanned/a/big.mp3", 5000);
  tree.File("scanned/b/big.mp3", 1024);
  tree.File("scanned/a/gone.mp3", 4096);
  Collected(program, root + "a/", "big.mp3");
  Collected(program, root + "b/", "big.mp3");
  Collected(program, root + "a/", "gone.mp3");
  Collected(program, root + "b/", "gone.mp3");  // never existed
  std::filesystem::remove(root + "a/gone.mp3");
  DetectDuplicates(program);
  EXPECT_EQ(Described(program.duplicateIndex),
            (Texts{"0 " + root + "a/big.mp3 5", "1 " + root + "b/big.mp3 2",
                   "2 " + root + "a/gone.mp3 1", "3 " + root + "b/gone.mp3 1"}));
  EXPECT_EQ(Described(program.duplicateList), Described(program.duplicateIndex));
  // The exact sizes, one for every record and by its ID, as the ticking items compare them.
  EXPECT_EQ(program.listedSizes, (std::vector<std::int64_t>{5000, 1024, -1, -1}));
}

TEST_F(SearchTest, ListedRecordsShareTheirTextsWithTheScanLists) {
  Collected(program, root + "a/", "s.mp3");
  Collected(program, root + "b/", "s.mp3");
  const char* name = program.foundFiles.selectAt(0)->name.view().data();
  const char* directory = program.foundFiles.selectAt(0)->directory.view().data();
  DetectDuplicates(program);
  EXPECT_EQ(program.duplicateList.selectAt(0)->name.view().data(), name);
  EXPECT_EQ(program.duplicateIndex.selectAt(0)->directory.view().data(), directory);
}

// The indexed detection must give exactly what comparing every pair gives, for any mix of
// names, directories and repeats, right down to the rows.
TEST(DetectDuplicates, EqualsComparingEveryPairOnRandomLists) {
  std::mt19937 random(7);
  const std::vector<std::string> names = {"a.mp3", "A.mp3", "b.mp3", "a.mp3 ", "\xE4.mp3", "c"};
  const std::vector<std::string> directories = {"/m/", "/m/x/", "/m/X/", "/n/", "/m/x/y/"};
  for (int round = 0; round < 300; ++round) {
    FakeUi uiIndexed, uiCompared;
    FakeClock clock;
    PosixFileSystem files;
    RecordingMedia media;
    Program indexed(uiIndexed, clock, files, media);
    Program compared(uiCompared, clock, files, media);
    uiIndexed.texts[id::kFolderTree] = uiCompared.texts[id::kFolderTree] = "/m/";
    std::size_t count = random() % 80;
    std::size_t nameVariety = 1 + random() % names.size();
    std::size_t directoryVariety = 1 + random() % directories.size();
    for (std::size_t i = 0; i < count; ++i) {
      const std::string& name = names[random() % nameVariety];
      // Equal directory texts arrive as separate texts too, not only as shared ones.
      std::string directory = directories[random() % directoryVariety];
      Collected(indexed, directory, name);
      Collected(compared, directory, name);
    }
    DetectDuplicates(indexed);
    DetectDuplicatesByComparingAll(compared);
    ASSERT_EQ(Described(indexed.duplicateIndex), Described(compared.duplicateIndex)) << round;
    ASSERT_EQ(Described(indexed.foundFiles), Described(compared.foundFiles)) << round;
    FillResultList(indexed);
    FillResultList(compared);
    std::vector<std::string> rowsIndexed, rowsCompared;
    for (auto& row : uiIndexed.Rows(id::kResultList))
      rowsIndexed.push_back(row.cells[0] + row.cells[2] + row.cells[3]);
    for (auto& row : uiCompared.Rows(id::kResultList))
      rowsCompared.push_back(row.cells[0] + row.cells[2] + row.cells[3]);
    ASSERT_EQ(rowsIndexed, rowsCompared) << round;
    ASSERT_EQ(uiIndexed.status, uiCompared.status) << round;
  }
}

}  // namespace
}  // namespace kz
