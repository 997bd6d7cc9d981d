#include "removal/bulk_ticks.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "common/decimal.h"
#include "core/ids.h"
#include "core/row_record.h"
#include "core/sort_by_name.h"

namespace kz {
namespace {

struct ListedRow {
  std::int32_t row;
  const FileRecord* record;  // the record the row shows
  std::int64_t size;         // in bytes; -1 when the file was not found
  bool ticked;
  bool inFolder;  // for the folder item: the file lies in the chosen folder or below

  std::string_view name() const { return record->name.view(); }
};

std::int64_t SizeOf(const Program& program, const FileRecord& record) {
  auto slot = static_cast<std::size_t>(record.id);
  return record.id >= 0 && slot < program.listedSizes.size() ? program.listedSizes[slot] : -1;
}

// The rows that show their own record, and where each name's rows begin: the rows of one name
// stand next to each other, in list order. The list is sorted by name, so that is its own order;
// should it ever not be, a stable sort makes it so, for grouping by a wrong neighbour could tick
// every copy of a name.
struct RowsOfNames {
  std::vector<ListedRow> rows;
  std::vector<std::size_t> starts;  // and rows.size() at the end

  template <class Visit>
  void ForEachName(Visit visit) {
    for (std::size_t name = 0; name + 1 < starts.size(); ++name) {
      visit(std::span<ListedRow>(rows.data() + starts[name], starts[name + 1] - starts[name]));
    }
  }
};

RowsOfNames ReadRows(Program& program, std::string_view folder = {}) {
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

// The largest file of the rows that `eligible` lets through, the top one among equals; null when
// none is.
template <class Eligible>
const ListedRow* Largest(std::span<ListedRow> rows, Eligible eligible) {
  const ListedRow* largest = nullptr;
  for (const ListedRow& each : rows) {
    if (eligible(each) && (!largest || each.size > largest->size)) largest = &each;
  }
  return largest;
}

void ReportTicked(Program& program, std::int32_t ticked, std::int32_t namesLeftOut) {
  std::string message = " ";
  message += IntToDecimal(ticked);
  message += " Datei(en) markiert";
  if (namesLeftOut > 0) {
    message += ", ";
    message += IntToDecimal(namesLeftOut);
    message += " Name(n) ausgelassen";
  }
  program.ui.SetStatusText(0, message);
}

}  // namespace

void TickAllButLargest(Program& program) {
  Ui& ui = program.ui;
  RowsOfNames names = ReadRows(program);
  std::int32_t ticked = 0;
  ui.BeginRowBatch(id::kResultList, 0);
  names.ForEachName([&](std::span<ListedRow> name) {
    const ListedRow* kept = Largest(name, [](const ListedRow&) { return true; });
    for (const ListedRow& each : name) {
      ui.SetRowTicked(id::kResultList, each.row, &each != kept);
      ticked += &each != kept ? 1 : 0;
    }
  });
  ui.EndRowBatch(id::kResultList);
  ReportTicked(program, ticked, 0);
}

void TickFolderOfSelectedRow(Program& program) {
  Ui& ui = program.ui;
  // The menu may be chosen after a click elsewhere cleared the selection: then nothing is ticked.
  const FileRecord* selected = RecordOfRow(program, ui.ControlState(id::kResultList));
  if (!selected) {
    ReportTicked(program, 0, 0);
    return;
  }
  // Directories end in the separator, so a prefix is always a whole folder: "Musik\\" does not
  // take in "Musik2\\".
  const std::string folder(selected->directory.view());
  RowsOfNames names = ReadRows(program, folder);
  std::int32_t ticked = 0;
  std::int32_t namesLeftOut = 0;
  ui.BeginRowBatch(id::kResultList, 0);
  names.ForEachName([&](std::span<ListedRow> name) {
    auto candidate = [](const ListedRow& row) { return !row.ticked && row.inFolder; };
    bool untickedElsewhere = std::any_of(name.begin(), name.end(), [](const ListedRow& row) {
      return !row.ticked && !row.inFolder;
    });
    const ListedRow* kept = nullptr;
    if (!untickedElsewhere) {
      kept = Largest(name, candidate);
      if (kept) ++namesLeftOut;
    }
    for (const ListedRow& each : name) {
      if (candidate(each) && &each != kept) ui.SetRowTicked(id::kResultList, each.row, true);
      if (each.inFolder && &each != kept) ++ticked;
    }
  });
  ui.EndRowBatch(id::kResultList);
  ReportTicked(program, ticked, namesLeftOut);
}

void ClearAllTicks(Program& program) {
  Ui& ui = program.ui;
  ui.BeginRowBatch(id::kResultList, 0);
  for (std::int32_t row = 0, rows = ui.RowCount(id::kResultList); row < rows; ++row) {
    ui.SetRowTicked(id::kResultList, row, false);
  }
  ui.EndRowBatch(id::kResultList);
  ui.SetStatusText(0, " Alle Markierungen aufgehoben");
}

}  // namespace kz
