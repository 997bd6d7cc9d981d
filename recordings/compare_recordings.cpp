#include "recordings/compare_recordings.h"

#include <vector>

#include "common/decimal.h"
#include "core/busy_window.h"
#include "core/ids.h"
#include "recordings/recording_comparison.h"
#include "recordings/rows_of_names.h"

namespace kz {

std::string ComparisonProgress(std::int32_t compared, std::int32_t files) {
  std::string text = " ";
  text += IntToDecimal(compared);
  text += " von ";
  text += IntToDecimal(files);
  text += " Dateien verglichen";
  return text;
}

std::string ComparisonOutcome(std::int32_t compared, std::int32_t recordingsWithCopies) {
  std::string text = " ";
  text += IntToDecimal(compared);
  text += " Dateien verglichen: ";
  text += IntToDecimal(recordingsWithCopies);
  text += " Aufnahme(n) mit mehreren Kopien";
  return text;
}

ComparisonEnd CompareListedRecordings(Program& program) {
  Ui& ui = program.ui;
  NamesFiles names;
  {
    // The rows go before the comparison, which keeps only what it compares.
    RowsOfNames rows = ReadRowsOfNames(program);
    names.files.reserve(rows.rows.size());
    names.starts.reserve(rows.names() + 1);
    rows.ForEachName([&](std::span<ListedRow> name) {
      for (const ListedRow& each : name) names.files.push_back(each.record);
      names.EndName();
    });
  }
  program.recordings.assign(static_cast<std::size_t>(program.duplicateIndex.count()),
                            recording::kNotCompared);
  program.recordingsComplete = false;
  const auto files = static_cast<std::int32_t>(names.files.size());
  RecordingComparison comparison(program.files, program.identities, program.recordings);
  TaskEnd end = TaskEnd::kGoOn;
  // The search button stops a comparison as it stops a search.
  ui.SetControlState(id::kSearchButton, ui.ImageById(id::kStopSearchImage));
  {
    BusyWindow busy(program, id::kSearchButton);
    comparison.Compare(names, [&](std::int32_t compared) {
      end = busy.Step([&] { return ComparisonProgress(compared, files); });
      return end == TaskEnd::kGoOn;
    });
  }
  ui.SetControlState(id::kSearchButton, ui.ImageById(id::kGoImage));
  ui.RefreshRows(id::kResultList);
  if (end == TaskEnd::kClosed) return ComparisonEnd::kClosed;
  ui.SetStatusText(0, ComparisonOutcome(comparison.compared(), comparison.recordingsWithCopies()));
  if (end == TaskEnd::kCutShort) return ComparisonEnd::kCutShort;
  program.recordingsComplete = true;
  return ComparisonEnd::kComplete;
}

Outcome CompareRecordings(Program& program) {
  return CompareListedRecordings(program) == ComparisonEnd::kClosed ? Outcome::kExit
                                                                    : Outcome::kContinue;
}

ComparisonEnd EnsureRecordingsCompared(Program& program) {
  if (program.recordingsComplete) return ComparisonEnd::kComplete;
  return CompareListedRecordings(program);
}

std::int32_t RecordingOf(const Program& program, std::int32_t recordId) {
  auto slot = static_cast<std::size_t>(recordId);
  return recordId >= 0 && slot < program.recordings.size() ? program.recordings[slot]
                                                           : recording::kNotCompared;
}

std::string RecordingCell(std::int32_t recording) {
  if (recording == recording::kNotCompared) return "";
  if (recording == recording::kUnreadable) return "?";
  return IntToDecimal(recording);
}

}  // namespace kz
