#include "tests/fakes/temp_tree.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kz::testing {

namespace fs = std::filesystem;

TempTree::TempTree() {
  std::string pattern = (fs::temp_directory_path() / "kz-tree-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern + "/";
}

TempTree::~TempTree() {
  std::error_code ignored;
  for (const auto& entry : fs::recursive_directory_iterator(root_, ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(root_, ignored);
}

std::string TempTree::Write(const std::string& relative, const std::string& content) {
  fs::path path = fs::path(root_) / relative;
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
  return path.string();
}

std::map<std::string, std::string> TempTree::Snapshot() const {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root_)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

std::map<std::string, std::string> TempTree::SnapshotWithLinks() const {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root_)) {
    std::string path = entry.path().string();
    if (entry.is_symlink()) {
      entries[path] = "-> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      std::ifstream in(path, std::ios::binary);
      entries[path] =
          std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  return entries;
}

}  // namespace kz::testing
