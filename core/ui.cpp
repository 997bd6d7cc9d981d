#include "core/ui.h"

#include "common/decimal.h"

namespace kz {

namespace {
constexpr std::int32_t kNameColumn = 0;
constexpr std::int32_t kFolderColumn = 2;
constexpr std::int32_t kIdColumn = 3;
}  // namespace

std::int32_t Ui::RowIdCell(int id, std::int32_t row) {
  return DecimalToInt(RowText(id, row, kIdColumn));
}

bool Ui::RowShowsRecord(int id, std::int32_t row, const FileRecord& record, std::string_view root,
                        char separator) {
  return RowText(id, row, kNameColumn) == NameCell(record) &&
         RowText(id, row, kFolderColumn) == FolderCell(record, root, separator);
}

}  // namespace kz
