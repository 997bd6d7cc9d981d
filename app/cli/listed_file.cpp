#include "app/cli/listed_file.h"

#include "common/decimal.h"
#include "common/size_kb.h"
#include "core/result_row.h"

namespace kz::cli {
namespace {

// Splits a row text of the window's list into its cells. The name is known, so a line
// feed inside the name or the folder cannot shift the cells (the size and the ID hold none).
void SplitWindowRow(std::string_view row, std::string_view name,
                    std::string_view (&cells)[kRowTextCells]) {
  std::string_view rest = row;
  if (row.size() > name.size() && row.substr(0, name.size()) == name && row[name.size()] == '\n') {
    cells[kNameColumn] = name;
    rest = row.substr(name.size() + 1);
  } else {
    std::size_t end = row.find('\n');
    cells[kNameColumn] = row.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : row.substr(end + 1);
  }
  std::size_t sizeEnd = rest.find('\n');
  cells[kSizeColumn] = rest.substr(0, sizeEnd);
  rest = sizeEnd == std::string_view::npos ? std::string_view() : rest.substr(sizeEnd + 1);
  std::size_t idStart = rest.rfind('\n');
  cells[kFolderColumn] = rest.substr(0, idStart);
  cells[kIdColumn] =
      idStart == std::string_view::npos ? std::string_view() : rest.substr(idStart + 1);
}

ResultRow Facts(const ListedFile& file) {
  ResultRow row;
  row.name = file.record->name.view();
  row.directory = file.record->directory.view();
  row.bytes = file.bytes;
  row.group = file.group;
  row.id = file.id;
  return row;
}

}  // namespace

ResultRow WindowRowOf(const ListedFile& file, std::string_view text) {
  ResultRow row = Facts(file);
  SplitWindowRow(text, row.name, row.cells);
  return row;
}

ResultRow OwnRowOf(const ListedFile& file, std::string_view root, char separator, RowCells& cells) {
  ResultRow row = Facts(file);
  cells.size = IntToDecimal(SizeInKB(file.bytes)) + " KB";
  cells.folder = std::string("...") + separator;
  cells.folder += row.directory.substr(row.directory.rfind(root, 0) == 0 ? root.size() : 0);
  cells.id = IntToDecimal(file.id);
  row.cells[kNameColumn] = row.name;
  row.cells[kSizeColumn] = cells.size;
  row.cells[kFolderColumn] = cells.folder;
  row.cells[kIdColumn] = cells.id;
  return row;
}

}  // namespace kz::cli
