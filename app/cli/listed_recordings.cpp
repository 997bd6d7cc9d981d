#include "app/cli/listed_recordings.h"

#include "core/busy_window.h"
#include "core/ids.h"
#include "recordings/compare_recordings.h"
#include "recordings/recording_comparison.h"

namespace kz::cli {

void ListedRecordings::Add(const FileRecord& record, std::int32_t group) {
  FileRecord& copy = records_.emplace_back(record);
  copy.id = static_cast<std::int32_t>(records_.size() - 1);
  groups_.push_back(group);
  recordings_.push_back(recording::kNotCompared);
  hasCopies_.push_back(false);
}

bool ListedRecordings::Compare(Program& program) {
  NamesFiles names;
  names.files.reserve(records_.size());
  for (std::size_t row = 0; row < records_.size(); ++row) {
    if (row > 0 && groups_[row] != groups_[row - 1]) names.EndName();
    names.files.push_back(&records_[row]);
  }
  if (!records_.empty()) names.EndName();
  recordings_.assign(records_.size(), recording::kNotCompared);
  RecordingComparison comparison(program.files, program.identities, recordings_);
  const auto files = static_cast<std::int32_t>(records_.size());
  bool complete;
  {
    BusyWindow busy(program, id::kSearchButton);
    complete = comparison.Compare(names, [&](std::int32_t compared) {
      return busy.Step([&] { return ComparisonProgress(compared, files); }) == TaskEnd::kGoOn;
    });
  }
  program.ui.SetStatusText(
      0, ComparisonOutcome(comparison.compared(), comparison.recordingsWithCopies()));
  MarkCopies();
  return complete;
}

void ListedRecordings::MarkCopies() {
  hasCopies_.assign(records_.size(), false);
  std::vector<std::int32_t> files;  // of each number within the group
  for (std::size_t start = 0, end; start < records_.size(); start = end) {
    for (end = start; end < records_.size() && groups_[end] == groups_[start]; ++end) {
    }
    // Numbers count from 1 within the group, so none is larger than its row count.
    files.assign(end - start + 1, 0);
    for (std::size_t row = start; row < end; ++row) {
      if (recordings_[row] > 0) ++files[static_cast<std::size_t>(recordings_[row])];
    }
    for (std::size_t row = start; row < end; ++row) {
      hasCopies_[row] =
          recordings_[row] > 0 && files[static_cast<std::size_t>(recordings_[row])] >= 2;
    }
  }
}

}  // namespace kz::cli
