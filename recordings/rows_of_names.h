#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/program.h"

namespace kz {

// A result row that shows its own record, as the ticking items and the comparison see it.
struct ListedRow {
  std::int32_t row;
  const FileRecord* record;  // the record the row shows
  std::int64_t size;         // in bytes; -1 when the file was not found
  bool ticked;
  bool inFolder;  // for the folder item: the file lies in the chosen folder or below

  std::string_view name() const { return record->name.view(); }
};

// The rows that show their own record, and where each name's rows begin: the rows of one name
// stand next to each other, in list order. The list is sorted by name, so that is its own order;
// should it ever not be, a stable sort makes it so, for grouping by a wrong neighbour could tick
// every copy of a name.
struct RowsOfNames {
  std::vector<ListedRow> rows;
  std::vector<std::size_t> starts;  // and rows.size() at the end

  std::size_t names() const { return starts.empty() ? 0 : starts.size() - 1; }
  std::span<ListedRow> Name(std::size_t name) {
    return {rows.data() + starts[name], starts[name + 1] - starts[name]};
  }
  template <class Visit>
  void ForEachName(Visit visit) {
    for (std::size_t name = 0; name < names(); ++name) visit(Name(name));
  }
};

// The result list's rows; `folder` (a directory text) marks the rows of files in it or below.
RowsOfNames ReadRowsOfNames(Program& program, std::string_view folder = {});

}  // namespace kz
