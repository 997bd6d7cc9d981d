#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/cli/row_writer.h"
#include "core/file_record.h"

namespace kz::cli {

// A file of the scan's result as it stands in the list, before it is written.
struct ListedFile {
  const FileRecord* record;
  std::int64_t bytes;  // exact size, -1 when gone; asked only where a format prints it
  std::int32_t group;  // 1, 2, ... counting the names in list order
  std::int32_t id;     // the window's ID; with the command line's own matching, its own count
};

// The texts that a row's cells point into.
struct RowCells {
  std::string text, size, folder, id;
};

// The window's row of `file`, its cells split from `text`, the row the window's list was given.
ResultRow WindowRowOf(const ListedFile& file, std::string_view text);
// A row of the command line's own matching: the size cell from the exact size, the folder below
// `root`.
ResultRow OwnRowOf(const ListedFile& file, std::string_view root, char separator, RowCells& cells);

}  // namespace kz::cli
