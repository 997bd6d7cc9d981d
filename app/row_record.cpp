#include "app/row_record.h"

#include "app/ids.h"
#include "common/decimal.h"

namespace kz {

namespace {
constexpr std::int32_t kIdColumn = 3;
}

FileRecord* RecordOfRow(Program& program, std::int32_t row) {
  if (row < 0 || row >= program.ui.RowCount(id::kResultList)) return nullptr;
  std::int32_t position = DecimalToInt(program.ui.RowText(id::kResultList, row, kIdColumn));
  if (position < 0 || position >= program.duplicateIndex.count()) return nullptr;
  return program.duplicateIndex.selectAt(position);
}

std::string PathOf(const FileRecord& record) {
  return record.directory + record.name.view();
}

}  // namespace kz
