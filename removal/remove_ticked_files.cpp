#include "removal/remove_ticked_files.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/decimal.h"
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
// ticked row, each folder's files from its last row up. A row whose cells are not its record's
// own, or whose file the search could not identify, is left out: there is nothing it could be
// sure to delete.
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
  // Found from the first row down; the removal goes from the last up.
  std::reverse(folders.begin(), folders.end());
  for (std::vector<TickedFile>& files : folders) std::reverse(files.begin(), files.end());
  return folders;
}

std::string Progress(std::int32_t removed, std::int32_t ticked) {
  std::string text = " ";
  text += IntToDecimal(removed);
  text += " von ";
  text += IntToDecimal(ticked);
  text += " Datei(en) gelöscht";
  return text;
}

}  // namespace

Outcome RemoveTickedFiles(Program& program) {
  Ui& ui = program.ui;
  // The file being played is held open by the media service; release it so it can go too.
  PressStop(program);

  std::int32_t answer = ui.AskYesNo("Info!", "Datei(en) löschen?");
  if (answer == kNo) {
    ui.SetStatusText(0, " Aktion wurde abgebrochen!");
    return Outcome::kContinue;
  }
  if (answer != kYes) return Outcome::kContinue;

  std::int32_t ticked = 0;
  std::vector<std::vector<TickedFile>> folders = TickedFilesByFolder(program, ticked);
  std::vector<std::int32_t> gone;
  {
    BusyWindow busy(program, -1);
    auto progress = [&] { return Progress(static_cast<std::int32_t>(gone.size()), ticked); };
    for (const std::vector<TickedFile>& files : folders) {
      // Opened and checked once for all of its ticked files: the folder the search listed.
      const FileIdentity& first =
          program.identities[static_cast<std::size_t>(files[0].record->identity)];
      std::unique_ptr<ListedFolder> folder =
          program.files.OpenListedFolder(files[0].record->directory, first.folder);
      for (const TickedFile& file : files) {
        const FileIdentity& listed =
            program.identities[static_cast<std::size_t>(file.record->identity)];
        if (folder && listed.folder == first.folder &&
            folder->RemoveFile(file.record->name, listed)) {
          gone.push_back(file.row);
        }
        // What is deleted so far stays deleted; the rest is left as it is, and the rows with it.
        if (busy.Step(progress) == TaskEnd::kClosed) return Outcome::kExit;
      }
    }
  }
  // One batch: the list takes its rows out and shows the outcome once, at the end; from the last
  // row up, so that taking a row out never shifts one still to be taken.
  std::sort(gone.begin(), gone.end(), std::greater<>());
  ui.BeginRowBatch(id::kResultList, 0);
  for (std::int32_t row : gone) ui.RemoveRow(id::kResultList, row);
  ui.EndRowBatch(id::kResultList);
  // Appended piece by piece: "literal" + temporary trips a false -Wrestrict in GCC 12.
  std::string message = " ";
  message += IntToDecimal(static_cast<std::int32_t>(gone.size()));
  message += " Datei(en) erfolgreich gelöscht!";
  ui.SetStatusText(0, message);
  return Outcome::kContinue;
}

}  // namespace kz
