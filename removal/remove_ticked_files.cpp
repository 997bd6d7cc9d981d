#include "removal/remove_ticked_files.h"

#include "common/decimal.h"
#include "core/ids.h"
#include "core/row_record.h"
#include "player/player_buttons.h"

namespace kz {

namespace {
constexpr std::int32_t kYes = 6;
constexpr std::int32_t kNo = 7;
}  // namespace

void RemoveTickedFiles(Program& program) {
  Ui& ui = program.ui;
  // The file being played is held open by the media service; release it so it can go too.
  PressStop(program);

  std::int32_t answer = ui.AskYesNo("Info!", "Datei(en) löschen?");
  if (answer == kNo) {
    ui.SetStatusText(0, " Aktion wurde abgebrochen!");
    return;
  }
  if (answer != kYes) return;

  std::int32_t removed = 0;
  // One batch: the list takes its rows out and shows the outcome once, at the end.
  ui.BeginRowBatch(id::kResultList, 0);
  // From the last row up, so that taking a row out never shifts one still to be visited.
  for (std::int32_t row = ui.RowCount(id::kResultList) - 1; row >= 0; --row) {
    std::int32_t state = ui.RowState(id::kResultList, row);
    if (state != row_state::kTicked && state != (row_state::kTicked | row_state::kSelected)) {
      continue;
    }
    FileRecord* record = RecordOfRow(program, row);
    // A row whose cells are not its record's own, or whose file the search could not identify,
    // keeps its file: there is nothing it could be sure to delete.
    if (record == nullptr || record->identity < 0) continue;
    const FileIdentity& listed = program.identities[static_cast<std::size_t>(record->identity)];
    if (program.files.RemoveFile(record->directory, record->name, listed)) {
      ui.RemoveRow(id::kResultList, row);
      ++removed;
    }
  }
  ui.EndRowBatch(id::kResultList);
  // Appended piece by piece: "literal" + temporary trips a false -Wrestrict in GCC 12.
  std::string message = " ";
  message += IntToDecimal(removed);
  message += " Datei(en) erfolgreich gelöscht!";
  ui.SetStatusText(0, message);
}

}  // namespace kz
