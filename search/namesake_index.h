#pragma once

#include <cstdint>
#include <vector>

#include "core/file_record.h"
#include "core/record_list.h"

namespace kz {

// For each name among the reference records: the first record with it and whether the name also
// occurs under a second, different directory. That answers "does another directory hold a file
// of this name" for any file, without comparing every pair.
//
// A flat open-addressing table: a million records cost two probes each instead of a million
// node allocations. It points into the reference records, which must stay unchanged while it is
// in use.
class NamesakeIndex {
 public:
  explicit NamesakeIndex(RecordList& reference);

  // True when some reference record has the file's name and a directory other than the file's.
  bool hasNamesakeElsewhere(const FileRecord& file) const;

 private:
  struct Slot {
    const FileRecord* first = nullptr;  // null: empty slot
    std::uint32_t hashTag = 0;
    bool inSeveralDirectories = false;
  };
  const Slot* find(const FileRecord& file, std::uint64_t hash) const;
  Slot& findOrInsert(const FileRecord& record, std::uint64_t hash);

  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
};

}  // namespace kz
