#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/file_record.h"
#include "core/program.h"

namespace kz::cli {

// The recordings of the scan's rows, found by the window's comparison once every row is known:
// the files of each group (a name, or a group of the command line's own matching rule) are
// compared with one another, as the window compares the rows of a name.
class ListedRecordings {
 public:
  // In list order: the rows of a group stand together.
  void Add(const FileRecord& record, std::int32_t group);
  // Compares, with the progress in status field 0 and then the outcome, as in the window; a
  // click on the search button (the console's Ctrl+C) cuts it short, leaving the groups not
  // finished not compared. True when every group was compared.
  bool Compare(Program& program);

  std::size_t size() const { return records_.size(); }
  // As the window keeps it: 0 not compared, -1 unreadable as audio, else the number.
  std::int32_t RecordingOf(std::size_t row) const { return recordings_[row]; }
  // Two or more rows of the row's group are its recording.
  bool HasCopies(std::size_t row) const { return hasCopies_[row]; }

 private:
  void MarkCopies();

  // Copies whose ID is their row's place: the comparison keeps the recordings by record ID.
  std::vector<FileRecord> records_;
  std::vector<std::int32_t> groups_;
  std::vector<std::int32_t> recordings_;
  std::vector<bool> hasCopies_;
};

}  // namespace kz::cli
