#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace kz::testing {

// A fresh folder under the system's temporary folder, removed with everything in it (read-only
// files included) when the test ends.
class TempTree {
 public:
  TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;
  ~TempTree();

  // The root as a directory text, ending in '/'.
  const std::string& root() const { return root_; }
  // Writes a file (creating its folders) at a path below the root; returns the full path.
  std::string Write(const std::string& relative, const std::string& content);
  // Every regular file below the root, by full path, with its content.
  std::map<std::string, std::string> Snapshot() const;
  // Every regular file and link below the root: a file by its content, a link as "-> target".
  std::map<std::string, std::string> SnapshotWithLinks() const;

 private:
  std::string root_;
};

}  // namespace kz::testing
