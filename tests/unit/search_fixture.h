#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/ids.h"
#include "core/program.h"
#include "platform/posix/posix_file_system.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/recording_media.h"

namespace kz::testing {

// A temporary folder, removed with everything in it (links are removed, not followed).
class TempTree {
 public:
  TempTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kz-search-XXXXXX").string();
    root_ = std::filesystem::canonical(mkdtemp(pattern.data())).string() + "/";
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;
  ~TempTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // Paths below the root; folders end in '/'.
  const std::string& root() const { return root_; }
  std::string Folder(std::string_view relative) const {
    std::filesystem::create_directories(root_ + std::string(relative));
    std::string path = root_ + std::string(relative);
    return path.back() == '/' ? path : path + "/";
  }
  std::string File(std::string_view relative, std::size_t bytes = 0) const {
    std::string path = root_ + std::string(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
    return path;
  }
  void Link(std::string_view relative, const std::string& target) const {
    std::string path = root_ + std::string(relative);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::filesystem::create_directory_symlink(target, path);
  }

 private:
  std::string root_;
};

// A program over the fake window and clock and the real file system, with the folder tree
// pointing at `tree.scanned`, a folder inside the temporary tree (so that links can lead out of
// it).
struct SearchTest : ::testing::Test {
  FakeUi ui;
  FakeClock clock;
  PosixFileSystem files;
  RecordingMedia media;
  Program program{ui, clock, files, media};
  TempTree tree;
  std::string root = tree.Folder("scanned");

  void SetUp() override { ui.texts[id::kFolderTree] = root; }

  std::vector<std::string> RowTexts() {
    std::vector<std::string> rows;
    for (const FakeUi::Row& row : ui.Rows(id::kResultList)) {
      std::string joined;
      for (const std::string& cell : row.cells) joined += (joined.empty() ? "" : "|") + cell;
      rows.push_back(joined);
    }
    return rows;
  }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> cells;
    for (const FakeUi::Row& row : ui.Rows(id::kResultList)) cells.push_back(row.cells.at(column));
    return cells;
  }
  std::vector<std::string> LogLines(std::string_view prefix) {
    std::vector<std::string> lines;
    for (const std::string& line : ui.log) {
      if (line.rfind(prefix, 0) == 0) lines.push_back(line.substr(prefix.size()));
    }
    return lines;
  }
};

// "directory|name" of every record of a list, in list order.
inline std::vector<std::string> Paths(RecordList& list) {
  std::vector<std::string> paths;
  list.rewind();
  while (list.advance())
    paths.push_back(list.current().directory + "|" + list.current().name.str());
  return paths;
}

}  // namespace kz::testing
