#include "removal/ticked_files.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "core/busy_window.h"
#include "core/ids.h"
#include "core/row_record.h"
#include "player/player_buttons.h"

namespace kz {

namespace {
constexpr std::int32_t kYes = 6;
constexpr std::int32_t kNo = 7;

struct TickedFile {
  std::int32_t row;
  const FileRecord* record;
};

// The files of the ticked rows, folder by folder: the folders in the order of their last
// ticked row, each folder's files from its last row up.
std::vector<std::vector<TickedFile>> TickedFilesByFolder(Program& program,
                                                         std::int32_t& tickedRows) {
  Ui& ui = program.ui;
  std::vector<std::vector<TickedFile>> folders;
  std::unordered_map<std::string_view, std::size_t> folderOf;
  tickedRows = 0;
  for (std::int32_t row = ui.FirstRowWithState(id::kResultList, row_state::kTicked, 0); row >= 0;
       row = ui.FirstRowWithState(id::kResultList, row_state::kTicked, row + 1)) {
    ++tickedRows;
    const FileRecord* record = RecordOfRow(program, row);
    if (record == nullptr || record->identity < 0) continue;
    auto [place, added] = folderOf.try_emplace(record->directory.view(), folders.size());
    if (added) folders.emplace_back();
    folders[place->second].push_back({row, record});
  }
  // Found from the first row down; the acts go from the last up.
  std::reverse(folders.begin(), folders.end());
  for (std::vector<TickedFile>& files : folders) std::reverse(files.begin(), files.end());
  return folders;
}

}  // namespace

TickedOutcome ActOnTickedFiles(Program& program, const FileAct& act, ProgressText progress) {
  Ui& ui = program.ui;
  TickedOutcome outcome;
  std::vector<std::vector<TickedFile>> folders = TickedFilesByFolder(program, outcome.ticked);
  std::vector<std::int32_t> taken;
  {
    BusyWindow busy(program, -1);
    auto text = [&] { return progress(static_cast<std::int32_t>(taken.size()), outcome.ticked); };
    for (const std::vector<TickedFile>& files : folders) {
      // Opened and checked once for all of its ticked files: the folder the search listed.
      const FileIdentity& first =
          program.identities[static_cast<std::size_t>(files[0].record->identity)];
      std::unique_ptr<ListedFolder> folder =
          program.files.OpenListedFolder(files[0].record->directory, first.folder);
      for (const TickedFile& file : files) {
        const FileIdentity& listed =
            program.identities[static_cast<std::size_t>(file.record->identity)];
        if (folder && listed.folder == first.folder && act(*folder, *file.record, listed)) {
          taken.push_back(file.row);
        }
        // What is done so far stays done; the rest is left as it is, and the rows with it.
        if (busy.Step(text) == TaskEnd::kClosed) {
          outcome.closed = true;
          return outcome;
        }
      }
    }
  }
  // One batch: the list takes its rows out and shows the outcome once, at the end; from the last
  // row up, so that taking a row out never shifts one still to be taken.
  std::sort(taken.begin(), taken.end(), std::greater<>());
  ui.BeginRowBatch(id::kResultList, 0);
  for (std::int32_t row : taken) ui.RemoveRow(id::kResultList, row);
  ui.EndRowBatch(id::kResultList);
  outcome.taken = static_cast<std::int32_t>(taken.size());
  return outcome;
}

std::optional<TickedOutcome> AskThenActOnTickedFiles(Program& program, std::string_view question,
                                                     const FileAct& act, ProgressText progress) {
  PressStop(program);
  std::int32_t answer = program.ui.AskYesNo("Info!", question);
  if (answer == kNo) program.ui.SetStatusText(0, " Aktion wurde abgebrochen!");
  if (answer != kYes) return std::nullopt;
  return ActOnTickedFiles(program, act, progress);
}

}  // namespace kz
