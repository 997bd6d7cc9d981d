#include "core/row_record.h"

#include "common/decimal.h"
#include "core/ids.h"
#include "core/result_row.h"

namespace kz {

namespace {
constexpr std::int32_t kNameColumn = 0;
constexpr std::int32_t kFolderColumn = 2;
constexpr std::int32_t kIdColumn = 3;
}  // namespace

FileRecord* RecordOfRow(Program& program, std::int32_t row) {
  if (row < 0 || row >= program.ui.RowCount(id::kResultList)) return nullptr;
  std::int32_t position = DecimalToInt(program.ui.RowText(id::kResultList, row, kIdColumn));
  if (position < 0 || position >= program.duplicateIndex.count()) return nullptr;
  FileRecord* record = program.duplicateIndex.selectAt(position);
  // The row must show this record: its name and folder cells are the record's own. Otherwise
  // the ID cell is not to be trusted, and nothing is done to any file.
  if (!record || program.ui.RowText(id::kResultList, row, kNameColumn) != NameCell(*record) ||
      program.ui.RowText(id::kResultList, row, kFolderColumn) !=
          FolderCell(*record, program.resultRoot, program.files.Separator())) {
    return nullptr;
  }
  return record;
}

std::string PathOf(const FileRecord& record) {
  return record.directory + record.name.view();
}

}  // namespace kz
