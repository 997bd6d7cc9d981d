#include "core/row_record.h"

#include "core/ids.h"

namespace kz {

FileRecord* RecordOfRow(Program& program, std::int32_t row) {
  Ui& ui = program.ui;
  if (row < 0 || row >= ui.RowCount(id::kResultList)) return nullptr;
  std::int32_t position = ui.RowIdCell(id::kResultList, row);
  if (position < 0 || position >= program.duplicateIndex.count()) return nullptr;
  FileRecord* record = program.duplicateIndex.selectAt(position);
  // The row must show this record: its name and folder cells are the record's own. Otherwise
  // the ID cell is not to be trusted, and nothing is done to any file.
  if (!record || !ui.RowShowsRecord(id::kResultList, row, *record, program.resultRoot,
                                    program.files.Separator())) {
    return nullptr;
  }
  return record;
}

std::string PathOf(const FileRecord& record) {
  return record.directory + record.name.view();
}

}  // namespace kz
