#include "recordings/rows_of_names.h"

#include <algorithm>

#include "core/ids.h"
#include "core/row_record.h"
#include "core/sort_by_name.h"

namespace kz {
namespace {

// A row's record is one of the list's, so its ID addresses its size.
std::int64_t SizeOf(const Program& program, const FileRecord& record) {
  return program.listedSizes[static_cast<std::size_t>(record.id)];
}

}  // namespace

RowsOfNames ReadRowsOfNames(Program& program, std::string_view folder) {
  Ui& ui = program.ui;
  std::int32_t count = ui.RowCount(id::kResultList);
  RowsOfNames names;
  names.rows.reserve(static_cast<std::size_t>(count));
  bool sorted = true;
  for (std::int32_t row = 0; row < count; ++row) {
    const FileRecord* record = RecordOfRow(program, row);
    if (!record) continue;
    bool ticked = (ui.RowState(id::kResultList, row) & row_state::kTicked) != 0;
    bool inFolder = !folder.empty() && record->directory.view().starts_with(folder);
    int order = names.rows.empty() ? 1 : CompareNames(record->name, names.rows.back().name());
    sorted = sorted && order >= 0;
    if (order != 0) names.starts.push_back(names.rows.size());
    names.rows.push_back({row, record, SizeOf(program, *record), ticked, inFolder});
  }
  if (!sorted) {
    std::stable_sort(names.rows.begin(), names.rows.end(),
                     [](const ListedRow& a, const ListedRow& b) {
                       return CompareNames(a.name(), b.name()) < 0;
                     });
    names.starts.clear();
    for (std::size_t at = 0; at < names.rows.size(); ++at) {
      if (at == 0 || names.rows[at].name() != names.rows[at - 1].name()) {
        names.starts.push_back(at);
      }
    }
  }
  names.starts.push_back(names.rows.size());
  return names;
}

}  // namespace kz
