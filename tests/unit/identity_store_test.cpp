#include "core/identity_store.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/posix/posix_file_system.h"
#include "tests/fakes/temp_tree.h"

namespace kz {
namespace {

FileIdentity Identity(ObjectId file, ObjectId folder, std::int64_t lastWrite, bool link = false) {
  return FileIdentity{file, folder, lastWrite, link};
}

TEST(IdentityStore, AFolderIsKeptOnceForItsFilesAndEveryIdentityReadsBackWhole) {
  const ObjectId a{7, 100, 0};
  const ObjectId b{7, 200, 0};
  const std::vector<FileIdentity> added = {
      Identity({7, 101, 0}, a, 11),      Identity({7, 102, 0}, a, 12, true),
      Identity({7, 201, 0}, b, 21),      Identity({9, 5, 0}, b, 22, true),  // a link's target
      Identity({7, 103, 4}, a, 13),                                         // 128 bits
      Identity({7, 0, 0}, {7, 0, 0}, 0),                                    // nothing known
  };
  IdentityStore store;
  for (const FileIdentity& identity : added) store.push_back(identity);
  ASSERT_EQ(store.size(), added.size());
  for (std::size_t at = 0; at < added.size(); ++at) {
    FileIdentity read = store[at];
    EXPECT_TRUE(read.file == added[at].file && read.folder == added[at].folder &&
                read.lastWrite == added[at].lastWrite && read.throughLink == added[at].throughLink)
        << at;
  }
  store.resize(3);
  EXPECT_EQ(store.size(), 3u);
  store.push_back(Identity({7, 301, 0}, {7, 300, 0}, 31));
  EXPECT_TRUE(store[3].folder == (ObjectId{7, 300, 0}));
  EXPECT_TRUE(store[2].file == (ObjectId{7, 201, 0}));
}

TEST(FileSizes, AskedInOneFolderTheyAreWhatEachPathGives) {
  testing::TempTree tree;
  tree.Write("d/song.mp3", std::string(5000, 's'));
  tree.Write("d/empty.mp3", "");
  tree.Write("d/sub/x.mp3", "x");
  symlink((tree.root() + "d/song.mp3").c_str(), (tree.root() + "d/link.mp3").c_str());
  symlink((tree.root() + "d/none.mp3").c_str(), (tree.root() + "d/dangling.mp3").c_str());
  const std::vector<std::string_view> names = {"song.mp3", "empty.mp3", "sub",
                                               "gone.mp3", "link.mp3",  "dangling.mp3"};
  PosixFileSystem files;
  for (const char* folder : {"d/", "missing/"}) {
    std::vector<std::int64_t> sizes(names.size(), 99);
    files.FileSizes(tree.root() + folder, names, sizes);
    for (std::size_t at = 0; at < names.size(); ++at) {
      EXPECT_EQ(sizes[at], files.FileSize(tree.root() + folder + std::string(names[at])))
          << folder << names[at];
    }
  }
}

}  // namespace
}  // namespace kz
