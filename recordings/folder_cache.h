#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace kz {

// The listed folders opened last, so that files of one folder read near each other do not open
// and check their folder each time. A folder that could not be opened is remembered as such.
class FolderCache {
 public:
  explicit FolderCache(FileSystem& files, std::size_t capacity = 32)
      : files_(files), capacity_(capacity) {}
  // The folder `directory`, checked against `expected`; null when it is not the listed one.
  ListedFolder* Get(std::string_view directory, const ObjectId& expected);

 private:
  struct Open {
    std::string directory;
    ObjectId expected;
    std::unique_ptr<ListedFolder> folder;
  };
  FileSystem& files_;
  std::size_t capacity_;
  std::list<Open> open_;  // the one used last first
};

}  // namespace kz
