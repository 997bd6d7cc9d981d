#include "platform/posix/size_question_parts.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// What every cut must hold, whatever the heuristic's numbers: parts are runs of whole folders
// that cover them all in order, none empty, at most one per thread, no more than the files can
// keep busy, and several only when there is work for them.
void ExpectSoundParts(const std::vector<std::size_t>& files, std::size_t threads) {
  Folders folders(files);
  std::vector<std::size_t> bounds = SizeQuestionParts(folders.folders, threads);
  std::string what =
      std::to_string(files.size()) + " folders, " + std::to_string(threads) + " threads";
  ASSERT_GE(bounds.size(), 2u) << what;
  EXPECT_EQ(bounds.front(), 0u) << what;
  EXPECT_EQ(bounds.back(), files.size()) << what;
  std::size_t parts = bounds.size() - 1;
  std::size_t total = 0;
  for (std::size_t count : files) total += count;
  EXPECT_LE(parts, std::max<std::size_t>(threads, 1)) << what;
  EXPECT_LE(parts, std::max<std::size_t>(total / kFilesPerSizeThread, 1)) << what;
  if (files.empty()) return;
  for (std::size_t part = 0; part < parts; ++part) {
    EXPECT_LT(bounds[part], bounds[part + 1]) << what << ", part " << part;
  }
}

TEST(SizeQuestionParts, WholeFoldersInOrderAtMostOnePartPerThreadNoneEmpty) {
  constexpr std::size_t k = kFilesPerSizeThread;
  const std::vector<std::vector<std::size_t>> trees = {
      {},
      {10, 20},
      {k, k, k, k},
      {4 * k, 10, 10},
      {10, 10, 4 * k},
      {k / 2, k / 2, k / 2, k / 2, 3 * k},
      {0, 0, 8 * k, 0},
      std::vector<std::size_t>(1000, 37),
  };
  for (const auto& files : trees) {
    for (std::size_t threads : {0, 1, 2, 3, 8, 64}) ExpectSoundParts(files, threads);
  }
}

TEST(SizeQuestionParts, ManyFilesOnTwoThreadsAreCutIntoTwoShares) {
  // The one number a caller relies on: with work enough, a second thread gets a part.
  Folders folders(std::vector<std::size_t>(12, kFilesPerSizeThread));
  std::vector<std::size_t> bounds = SizeQuestionParts(folders.folders, 2);
  ASSERT_EQ(bounds.size(), 3u);
  EXPECT_GT(bounds[1], 0u);
  EXPECT_LT(bounds[1], 12u);
}

TEST(FileSizesOfFolders, AskedOnSeveralThreadsEachSizeIsWhatItsPathGives) {
  testing::TempTree tree;
  constexpr std::size_t kFolders = 12;
  constexpr std::size_t kPerFolder = 2 * kFilesPerSizeThread / kFolders + 1;
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
  ASSERT_EQ(SizeQuestionParts(asked.folders, 2).size(), 3u);  // a helper thread asks for half

  PosixFileSystem files(2);
  files.FileSizesOfFolders(asked.folders);
  for (std::size_t at = 0; at < texts.size(); ++at) {
    std::size_t folder = at / kPerFolder, file = at % kPerFolder;
    EXPECT_EQ(asked.sizes[at], file % 7 == 3 ? -1 : static_cast<std::int64_t>(file + folder)) << at;
  }
}

}  // namespace
}  // namespace kz
