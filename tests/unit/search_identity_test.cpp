// The search knows folders and files by what the file system says they are, so a tree with
// links, hard links and aliased names gives one row per physical file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/result_row.h"
#include "core/row_record.h"
#include "platform/forwarding_file_system.h"
#include "search/run_search.h"
#include "tests/unit/search_fixture.h"

namespace kz {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

// Reports no entry as a link, as Wine 8's FindFirstFileW does for Unix symlinks, so only the
// identities can keep the scan from entering a folder twice.
class LinkBlindListing : public ForwardingListing {
 public:
  using ForwardingListing::ForwardingListing;
  const ListedEntry* Next() override {
    const ListedEntry* entry = inner_->Next();
    if (!entry) return nullptr;
    entry_ = *entry;
    entry_.isLink = false;
    return &entry_;
  }
  EntryFacts Facts() override {
    EntryFacts facts = inner_->Facts();
    if (facts.identity) facts.identity->throughLink = false;
    return facts;
  }

 private:
  std::unique_ptr<FolderListing> Wrap(std::unique_ptr<FolderListing> subfolder) override {
    return std::make_unique<LinkBlindListing>(std::move(subfolder));
  }
  ListedEntry entry_;
};

class LinkBlindFiles : public ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  std::unique_ptr<FolderListing> OpenSearch(std::string_view directory) override {
    return Wrapped<LinkBlindListing>(inner_.OpenSearch(directory));
  }
};

// Opens `alias` whenever `folder` is to be listed: a name that path rules turn into another
// folder's name ("d." opened as "d" by Windows).
class AliasingFiles : public ForwardingFileSystem {
 public:
  AliasingFiles(FileSystem& inner, std::string folder, std::string alias)
      : ForwardingFileSystem(inner), folder_(std::move(folder)), alias_(std::move(alias)) {}
  std::unique_ptr<FolderListing> OpenSearch(std::string_view directory) override {
    return Wrapped<Listing>(inner_.OpenSearch(directory), *this);
  }

 private:
  class Listing : public ForwardingListing {
   public:
    Listing(std::unique_ptr<FolderListing> inner, AliasingFiles& files)
        : ForwardingListing(std::move(inner)), files_(files) {}
    const ListedEntry* Next() override { return current_ = inner_->Next(); }
    std::unique_ptr<FolderListing> OpenEntry() override {
      if (Directory() + current_->name + "/" != files_.folder_)
        return ForwardingListing::OpenEntry();
      return Wrapped<Listing>(files_.inner_.OpenSearch(files_.alias_), files_);
    }

   private:
    std::unique_ptr<FolderListing> Wrap(std::unique_ptr<FolderListing> subfolder) override {
      return std::make_unique<Listing>(std::move(subfolder), files_);
    }
    AliasingFiles& files_;
    const ListedEntry* current_ = nullptr;
  };
  std::string folder_;
  std::string alias_;
};

// Gives ids as file systems do that cannot number their files: 0 or all ones for every file and
// folder; or, below the folders m1 and m2, ids as two mounts of their own give them: their own
// volume each, and the same small numbers on both.
class RenumberingFiles : public ForwardingFileSystem {
 public:
  enum class Ids { kZero, kAllOnes, kCollidingMounts };
  RenumberingFiles(FileSystem& inner, Ids ids) : ForwardingFileSystem(inner), ids_(ids) {}
  std::unique_ptr<FolderListing> OpenSearch(std::string_view directory) override {
    return Wrapped<Listing>(inner_.OpenSearch(directory), ids_);
  }

 private:
  class Listing : public ForwardingListing {
   public:
    Listing(std::unique_ptr<FolderListing> inner, Ids ids)
        : ForwardingListing(std::move(inner)),
          ids_(ids),
          folder_(Renumbered(inner_->Folder(), Directory())) {}
    const ListedEntry* Next() override { return current_ = inner_->Next(); }
    const ObjectId& Folder() const override { return folder_; }
    EntryFacts Facts() override {
      EntryFacts facts = inner_->Facts();
      if (!facts.identity) return facts;
      facts.identity->file = Renumbered(facts.identity->file, Directory() + current_->name + "/");
      facts.identity->folder = folder_;
      return facts;
    }

   private:
    std::unique_ptr<FolderListing> Wrap(std::unique_ptr<FolderListing> subfolder) override {
      return std::make_unique<Listing>(std::move(subfolder), ids_);
    }
    ObjectId Renumbered(ObjectId id, const std::string& path) const {
      if (ids_ == Ids::kZero) return ObjectId{id.volume, 0, 0};
      if (ids_ == Ids::kAllOnes) return ObjectId{id.volume, ~std::uint64_t{0}, 0};
      for (std::uint64_t mount : {1, 2}) {
        std::size_t at = path.find("/m" + std::to_string(mount) + "/");
        if (at == std::string::npos) continue;
        // The mount's root is 1, and each level below counts one up, on both mounts alike.
        auto level = static_cast<std::uint64_t>(std::count(path.begin() + at + 4, path.end(), '/'));
        return ObjectId{1000 + mount, 1 + level, 0};
      }
      return id;
    }
    Ids ids_;
    ObjectId folder_;
    const ListedEntry* current_ = nullptr;
  };
  Ids ids_;
};

Texts Sorted(Texts texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

struct IdentityTest : testing::SearchTest {
  void SetUp() override {
    SearchTest::SetUp();
    ui.states[id::kRecursiveCheck] = 1;
  }
  // How often each physical file was collected, by its real path.
  static std::map<std::string, int> TimesCollected(Program& searched) {
    std::map<std::string, int> times;
    searched.referenceFiles.rewind();
    while (searched.referenceFiles.advance()) {
      const FileRecord& record = searched.referenceFiles.current();
      ++times[fs::canonical(record.directory + record.name.view()).string()];
    }
    return times;
  }
};

TEST_F(IdentityTest, FoldersReachedAgainUnmarkedAreNotEnteredTwice) {
  tree.File("scanned/a/s.mp3", 10);
  tree.Link("scanned/a/self", root + "a");
  tree.Link("scanned/alias", root + "a");
  LinkBlindFiles blind(files);
  Program blindProgram{ui, clock, blind, media};
  EXPECT_EQ(RunSearch(blindProgram), Outcome::kContinue);
  EXPECT_EQ(blindProgram.filesFound, 1);
  EXPECT_EQ(ui.status[0], " Suche beendet! Keine doppelten MP3-Dateien gefunden!");
  EXPECT_TRUE(ui.Rows(id::kResultList).empty());
}

TEST_F(IdentityTest, HardLinksAndFileLinksAreOneFile) {
  std::string real = tree.File("scanned/a/song.mp3", 5000);
  tree.Folder("scanned/b");
  tree.Folder("scanned/c");
  ASSERT_EQ(link(real.c_str(), (root + "b/song.mp3").c_str()), 0);
  fs::create_symlink(real, root + "c/song.mp3");
  EXPECT_EQ(RunSearch(program), Outcome::kContinue);
  EXPECT_EQ(program.referenceFiles.count(), 1);  // three paths, one file
  EXPECT_TRUE(ui.Rows(id::kResultList).empty());
  EXPECT_EQ(ui.status[0], " Suche beendet! Keine doppelten MP3-Dateien gefunden!");

  // With a real second copy, the pair is listed under a path that is no link.
  tree.File("scanned/d/song.mp3", 7000);
  fs::remove(root + "b/song.mp3");
  EXPECT_EQ(RunSearch(program), Outcome::kContinue);
  EXPECT_EQ(Sorted(Column(2)), (Texts{".../a/", ".../d/"}));
}

TEST_F(IdentityTest, FilesWithoutUsableIdsAreAllListed) {
  std::string real = tree.File("scanned/a/song.mp3", 5000);
  tree.File("scanned/b/song.mp3", 3000);
  tree.Folder("scanned/c");
  ASSERT_EQ(link(real.c_str(), (root + "c/song.mp3").c_str()), 0);
  tree.File("scanned/m1/x/t.mp3", 10);
  tree.File("scanned/m2/x/t.mp3", 20);
  const Texts all = {".../a/", ".../b/", ".../c/", ".../m1/x/", ".../m2/x/"};
  const struct {
    RenumberingFiles::Ids ids;
    std::size_t rows;
  } cases[] = {
      // No id tells the hard link c/song.mp3 from a/song.mp3: it is listed as a file of its own.
      {RenumberingFiles::Ids::kZero, 5},
      {RenumberingFiles::Ids::kAllOnes, 5},
      // Two mounts whose folders and files have the same numbers are both searched; the hard
      // link is known as one file again.
      {RenumberingFiles::Ids::kCollidingMounts, 4},
  };
  for (const auto& c : cases) {
    RenumberingFiles renumbering(files, c.ids);
    Program renumbered{ui, clock, renumbering, media};
    EXPECT_EQ(RunSearch(renumbered), Outcome::kContinue);
    Texts folders = Sorted(Column(2));
    EXPECT_EQ(folders.size(), c.rows) << static_cast<int>(c.ids);
    EXPECT_TRUE(std::includes(all.begin(), all.end(), folders.begin(), folders.end()));
    EXPECT_EQ(std::count(folders.begin(), folders.end(), ".../m1/x/") +
                  std::count(folders.begin(), folders.end(), ".../m2/x/"),
              2);
  }
}

TEST_F(IdentityTest, AFolderOpenedUnderAnotherNameIsLeftAlone) {
  tree.File("scanned/d/y.mp3", 10);
  tree.File("scanned/e/y.mp3", 20);
  tree.File("scanned/x/y.mp3", 30);
  // Listing "x/" opens "d/": the listed folder x is not the one opened, so x adds nothing, and
  // d is not entered a second time either.
  AliasingFiles aliasing(files, root + "x/", root + "d/");
  Program aliased{ui, clock, aliasing, media};
  EXPECT_EQ(RunSearch(aliased), Outcome::kContinue);
  EXPECT_EQ(TimesCollected(aliased),
            (std::map<std::string, int>{{root + "d/y.mp3", 1}, {root + "e/y.mp3", 1}}));
  EXPECT_EQ(Sorted(Column(2)), (Texts{".../d/", ".../e/"}));
}

TEST_F(IdentityTest, ControlCharactersInNamesNeverShiftTheCells) {
  tree.File("scanned/a/x\ny.mp3", 10);
  tree.File("scanned/b\tc/x\ny.mp3", 2000);
  tree.File("scanned/a/z\r.mp3", 10);
  tree.File("scanned/b\tc/z\r.mp3", 10);
  EXPECT_EQ(RunSearch(program), Outcome::kContinue);
  Texts rows;
  for (const testing::FakeUi::Row& row : ui.Rows(id::kResultList)) {
    ASSERT_EQ(row.cells.size(), 4u);
    rows.push_back(row.cells[0] + "|" + row.cells[1] + "|" + row.cells[2]);
  }
  EXPECT_EQ(Sorted(rows), (Texts{"x\\ny.mp3|1 KB|.../a/", "x\\ny.mp3|2 KB|.../b\\tc/",
                                 "z\\r.mp3|1 KB|.../a/", "z\\r.mp3|1 KB|.../b\\tc/"}));
  // Each row's ID names the very file the row shows.
  for (std::int32_t row = 0; row < 4; ++row) {
    FileRecord* record = RecordOfRow(program, row);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(ShownText(record->name.view()), Column(0)[static_cast<std::size_t>(row)]);
    EXPECT_EQ(".../" + ShownText(record->directory.view().substr(root.size())),
              Column(2)[static_cast<std::size_t>(row)]);
  }
}

TEST_F(IdentityTest, ARowWhoseCellsAreNotItsRecordsActsOnNothing) {
  tree.File("scanned/a/p.mp3", 10);
  tree.File("scanned/b/p.mp3", 10);
  tree.File("scanned/a/q.mp3", 10);
  tree.File("scanned/b/q.mp3", 10);
  EXPECT_EQ(RunSearch(program), Outcome::kContinue);
  ASSERT_NE(RecordOfRow(program, 0), nullptr);
  // A row that shows p in a but whose ID cell names q's record.
  ui.AddRow(id::kResultList, -1, "p.mp3\n1 KB\n.../a/\n1");
  EXPECT_EQ(RecordOfRow(program, 4), nullptr);
  ui.AddRow(id::kResultList, -1, "p.mp3\n1 KB\n.../c/\n0");
  EXPECT_EQ(RecordOfRow(program, 5), nullptr);
}

TEST_F(IdentityTest, EachRecordKeepsWhatItsListingSaid) {
  std::string path = tree.File("scanned/a/t.mp3", 10);
  tree.File("scanned/b/t.mp3", 10);
  EXPECT_EQ(RunSearch(program), Outcome::kContinue);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  FileRecord* record = RecordOfRow(program, 0);
  ASSERT_NE(record, nullptr);
  ASSERT_GE(record->identity, 0);
  const FileIdentity& listed = program.identities[static_cast<std::size_t>(record->identity)];
  EXPECT_EQ(listed.file.file, static_cast<std::uint64_t>(info.st_ino));
  EXPECT_EQ(listed.file.volume, static_cast<std::uint64_t>(info.st_dev));
  EXPECT_FALSE(listed.throughLink);
  ASSERT_EQ(stat((root + "a").c_str(), &info), 0);
  EXPECT_EQ(listed.folder.file, static_cast<std::uint64_t>(info.st_ino));
}

}  // namespace
}  // namespace kz
