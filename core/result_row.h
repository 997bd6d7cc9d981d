#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/file_record.h"

namespace kz {

// The result list's columns, as the list and a row's cells number them. A row text holds the
// first kRowTextCells of them; the recording is asked of the row's record instead.
constexpr std::int32_t kNameColumn = 0;
constexpr std::int32_t kSizeColumn = 1;
constexpr std::int32_t kFolderColumn = 2;
constexpr std::int32_t kIdColumn = 3;
constexpr std::int32_t kRecordingColumn = 4;
constexpr std::int32_t kRowTextCells = kIdColumn + 1;
constexpr std::int32_t kColumnCount = kRecordingColumn + 1;

// The cells of a result row, made from its record: name, size in KB, directory below the
// searched folder, ID. A row is handed to the list as one text whose cells are separated by
// line feeds, so a tab, line feed or carriage return inside a name or folder is shown as "\t",
// "\n" or "\r": it can never move the following cells, and the ID cell always names the row's
// own record.
std::string ShownText(std::string_view text);
std::string NameCell(const FileRecord& record);
// The record's directory with every occurrence of `root` (the searched folder's text) left out,
// after "..." and the separator.
std::string FolderCell(const FileRecord& record, std::string_view root, char separator);
std::string RowText(const FileRecord& record, std::string_view root, char separator);
// RowText appended to `out`: a fill that reuses one text allocates nothing per row.
void AppendRowText(std::string& out, const FileRecord& record, std::string_view root,
                   char separator);
// True when `text` is exactly RowText(record, root, separator); builds no text.
bool IsRowTextOf(std::string_view text, const FileRecord& record, std::string_view root,
                 char separator);

}  // namespace kz
