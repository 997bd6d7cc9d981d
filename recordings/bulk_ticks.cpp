#include "recordings/bulk_ticks.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "common/decimal.h"
#include "core/ids.h"
#include "core/row_record.h"
#include "recordings/compare_recordings.h"
#include "recordings/recording_comparison.h"
#include "recordings/rows_of_names.h"

namespace kz {
namespace {

// The rows of one name by recording, each recording's in list order, and the files unreadable
// as audio apart. Kept from name to name, so that a list of many names allocates once.
class Recordings {
 public:
  void Take(const Program& program, std::span<ListedRow> name) {
    readable_.clear();
    unreadable_.clear();
    for (ListedRow& each : name) {
      std::int32_t number = RecordingOf(program, each.record->id);
      if (number >= 1) {
        readable_.push_back({number, &each});
      } else {
        unreadable_.push_back(&each);
      }
    }
    std::stable_sort(readable_.begin(), readable_.end(),
                     [](const Numbered& a, const Numbered& b) { return a.number < b.number; });
  }
  const std::vector<ListedRow*>& unreadable() const { return unreadable_; }
  // Calls visit(rows) for each recording by rising number.
  template <class Visit>
  void ForEachRecording(Visit visit) {
    for (std::size_t at = 0; at < readable_.size();) {
      rows_.clear();
      std::int32_t number = readable_[at].number;
      for (; at < readable_.size() && readable_[at].number == number; ++at) {
        rows_.push_back(readable_[at].row);
      }
      visit(static_cast<const std::vector<ListedRow*>&>(rows_));
    }
  }

 private:
  struct Numbered {
    std::int32_t number;
    ListedRow* row;
  };
  std::vector<Numbered> readable_;
  std::vector<ListedRow*> unreadable_;
  std::vector<ListedRow*> rows_;
};

// The largest file of the rows that `eligible` lets through, the top one among equals; null when
// none is.
template <class Eligible>
const ListedRow* Largest(const std::vector<ListedRow*>& rows, Eligible eligible) {
  const ListedRow* largest = nullptr;
  for (const ListedRow* each : rows) {
    if (eligible(*each) && (!largest || each->size > largest->size)) largest = each;
  }
  return largest;
}

void ReportTicked(Program& program, std::int32_t ticked, std::int32_t leftOut) {
  std::string message = " ";
  message += IntToDecimal(ticked);
  message += " Datei(en) markiert";
  if (leftOut > 0) {
    message += ", ";
    message += IntToDecimal(leftOut);
    message += " einzelne Aufnahme(n) ausgelassen";
  }
  program.ui.SetStatusText(0, message);
}

// Compares first where needed; the outcome for the handler when ticking cannot go on.
bool Compared(Program& program, Outcome& outcome) {
  ComparisonEnd end = EnsureRecordingsCompared(program);
  outcome = end == ComparisonEnd::kClosed ? Outcome::kExit : Outcome::kContinue;
  return end == ComparisonEnd::kComplete;
}

}  // namespace

Outcome TickAllButLargest(Program& program) {
  Outcome outcome = Outcome::kContinue;
  if (!Compared(program, outcome)) return outcome;
  Ui& ui = program.ui;
  RowsOfNames names = ReadRowsOfNames(program);
  std::int32_t ticked = 0;
  std::int32_t leftOut = 0;
  Recordings recordings;
  ui.BeginRowBatch(id::kResultList, 0);
  names.ForEachName([&](std::span<ListedRow> name) {
    recordings.Take(program, name);
    for (const ListedRow* each : recordings.unreadable()) {
      ui.SetRowTicked(id::kResultList, each->row, false);
      ++leftOut;
    }
    recordings.ForEachRecording([&](const std::vector<ListedRow*>& rows) {
      const ListedRow* kept = Largest(rows, [](const ListedRow&) { return true; });
      if (rows.size() < 2) ++leftOut;
      for (const ListedRow* each : rows) {
        bool tick = rows.size() >= 2 && each != kept;
        ui.SetRowTicked(id::kResultList, each->row, tick);
        ticked += tick ? 1 : 0;
      }
    });
  });
  ui.EndRowBatch(id::kResultList);
  ReportTicked(program, ticked, leftOut);
  return outcome;
}

Outcome TickFolderOfSelectedRow(Program& program) {
  Ui& ui = program.ui;
  // The menu may be chosen after a click elsewhere cleared the selection: then nothing is ticked.
  const FileRecord* selected = RecordOfRow(program, ui.ControlState(id::kResultList));
  if (!selected) {
    ReportTicked(program, 0, 0);
    return Outcome::kContinue;
  }
  // Taken before a comparison, whose progress may let the selection change.
  const std::string folder(selected->directory.view());
  Outcome outcome = Outcome::kContinue;
  if (!Compared(program, outcome)) return outcome;
  // Directories end in the separator, so a prefix is always a whole folder: "Musik\\" does not
  // take in "Musik2\\".
  RowsOfNames names = ReadRowsOfNames(program, folder);
  std::int32_t ticked = 0;
  std::int32_t leftOut = 0;
  Recordings recordings;
  ui.BeginRowBatch(id::kResultList, 0);
  names.ForEachName([&](std::span<ListedRow> name) {
    recordings.Take(program, name);
    for (const ListedRow* each : recordings.unreadable()) {
      if (each->inFolder && !each->ticked) ++leftOut;
      if (each->inFolder && each->ticked) ++ticked;  // ticked by hand: the user's own
    }
    recordings.ForEachRecording([&](const std::vector<ListedRow*>& rows) {
      auto candidate = [](const ListedRow& row) { return !row.ticked && row.inFolder; };
      bool untickedElsewhere = std::any_of(rows.begin(), rows.end(), [](const ListedRow* row) {
        return !row->ticked && !row->inFolder;
      });
      const ListedRow* kept = untickedElsewhere ? nullptr : Largest(rows, candidate);
      if (kept) ++leftOut;
      for (const ListedRow* each : rows) {
        if (candidate(*each) && each != kept) ui.SetRowTicked(id::kResultList, each->row, true);
        if (each->inFolder && each != kept) ++ticked;
      }
    });
  });
  ui.EndRowBatch(id::kResultList);
  ReportTicked(program, ticked, leftOut);
  return outcome;
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
