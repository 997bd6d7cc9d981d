#include "platform/measuring_parts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "tests/fakes/temp_tree.h"

namespace kz {
namespace {

// Folders holding the given numbers of files (names and sizes left empty but for their length).
struct Folders {
  explicit Folders(const std::vector<std::size_t>& counts) {
    std::size_t total = 0;
    for (std::size_t count : counts) total += count;
    names.resize(total);
    sizes.resize(total);
    std::size_t at = 0;
    for (std::size_t count : counts) {
      folders.push_back(
          {"d/", std::span(names).subspan(at, count), std::span(sizes).subspan(at, count)});
      at += count;
    }
  }
  std::vector<std::string_view> names;
  std::vector<std::int64_t> sizes;
  std::vector<FolderFiles> folders;
};

TEST(MeasuringParts, FoldersAreCutIntoSharesOfAboutEqualFilesAndNeverSplit) {
  constexpr std::size_t k = kFilesPerMeasuringThread;
  struct Case {
    std::vector<std::size_t> files;
    std::size_t threads;
    std::vector<std::size_t> bounds;
  };
  const Case cases[] = {
      {{}, 4, {0, 0}},
      {{10, 20}, 4, {0, 2}},               // too few files for a second thread
      {{k, k, k, k}, 2, {0, 2, 4}},        // halves
      {{k, k, k, k}, 0, {0, 4}},           // no count of cores: one part
      {{k, k, k, k}, 8, {0, 1, 2, 3, 4}},  // as many parts as files allow
      {{4 * k, 10, 10}, 2, {0, 1, 3}},     // one large folder is one part
      {{10, 10, 4 * k}, 2, {0, 3}},        // ... and none is left empty after it
      {{k / 2, k / 2, k / 2, k / 2, 3 * k}, 2, {0, 5}},
  };
  for (const Case& c : cases) {
    Folders folders(c.files);
    EXPECT_EQ(MeasuringParts(folders.folders, c.threads), c.bounds)
        << c.files.size() << " folders, " << c.threads << " threads";
  }
}

TEST(FileSizesOfFolders, AskedOnSeveralThreadsEachSizeIsWhatItsPathGives) {
  testing::TempTree tree;
  constexpr std::size_t kFolders = 12;
  constexpr std::size_t kPerFolder = 2 * kFilesPerMeasuringThread / kFolders + 1;
  std::vector<std::string> texts;
  for (std::size_t folder = 0; folder < kFolders; ++folder) {
    for (std::size_t file = 0; file < kPerFolder; ++file) {
      texts.push_back(std::to_string(file) + ".mp3");
      // Every seventh file is never written: it vanished before it was asked for.
      if (file % 7 != 3)
        tree.Write(std::to_string(folder) + "/" + texts.back(), std::string(file + folder, 'x'));
    }
  }
  Folders asked(std::vector<std::size_t>(kFolders, kPerFolder));
  for (std::size_t at = 0; at < texts.size(); ++at) asked.names[at] = texts[at];
  std::vector<std::string> directories(kFolders);
  for (std::size_t folder = 0; folder < kFolders; ++folder) {
    directories[folder] = tree.root() + std::to_string(folder) + "/";
    asked.folders[folder].directory = directories[folder];
  }
  ASSERT_EQ(MeasuringParts(asked.folders, 2).size(), 3u);  // a helper thread asks for half

  PosixFileSystem files(2);
  files.FileSizesOfFolders(asked.folders);
  for (std::size_t at = 0; at < texts.size(); ++at) {
    std::size_t folder = at / kPerFolder, file = at % kPerFolder;
    EXPECT_EQ(asked.sizes[at], file % 7 == 3 ? -1 : static_cast<std::int64_t>(file + folder)) << at;
  }
}

}  // namespace
}  // namespace kz
