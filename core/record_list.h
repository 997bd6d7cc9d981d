#pragma once

#include <cstdint>
#include <vector>

#include "core/chunked_vector.h"
#include "core/file_record.h"

namespace kz {

// An ordered list of records with a cursor that stands on one record or on none.
//
// Records live in chunks and are chained by index, so that removing the current record is O(1)
// even when the detection removes every record of a list of a million, and a growing list never
// moves or doubles its records. Positions are only needed again by currentIndex, selectAt and
// sortByName; the first of those after a removal or a middle insertion packs the records back
// into list order once.
class RecordList {
 public:
  void clear();
  // Records never move as the list grows; kept for callers that know the count ahead.
  void reserve(std::int32_t) {}
  void rewind() { cursor_ = kNone; }
  bool advance();
  FileRecord& insertAfterCurrent();
  void removeCurrent();
  std::int32_t currentIndex();
  std::int32_t count() const { return count_; }
  FileRecord* selectAt(std::int32_t position);
  // The record at a position without moving the cursor; null when there is none or the list
  // would first have to be packed (a list only ever appended to never needs that).
  const FileRecord* recordAt(std::int32_t position) const {
    if (!packed_ || position < 0 || position >= count_) return nullptr;
    return &nodes_[static_cast<std::size_t>(position)].record;
  }
  void sortByName();

  // The current record; only valid while currentIndex() != -1.
  FileRecord& current() { return nodes_[cursor_].record; }
  bool hasCurrent() const { return cursor_ != kNone; }

  // Bytes held by the list's own storage (not counting shared texts), for the memory benchmark.
  std::size_t storageBytes() const { return nodes_.storageBytes(); }

 private:
  static constexpr std::int32_t kNone = -1;
  struct Node {
    FileRecord record;
    std::int32_t previous;
    std::int32_t next;
  };
  void pack();

  ChunkedVector<Node> nodes_;
  std::int32_t first_ = kNone;
  std::int32_t last_ = kNone;
  std::int32_t cursor_ = kNone;
  std::int32_t count_ = 0;
  bool packed_ = true;  // nodes_ holds exactly the records, in list order
};

}  // namespace kz
