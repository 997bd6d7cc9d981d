#include "core/ui.h"

#include "common/decimal.h"
#include "core/result_row.h"

namespace kz {

std::int32_t Ui::RowIdCell(int id, std::int32_t row) {
  return DecimalToInt(RowText(id, row, kIdColumn));
}

bool Ui::RowShowsRecord(int id, std::int32_t row, const FileRecord& record, std::string_view root,
                        char separator) {
  return RowText(id, row, kNameColumn) == NameCell(record) &&
         RowText(id, row, kFolderColumn) == FolderCell(record, root, separator);
}

}  // namespace kz
