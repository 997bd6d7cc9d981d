#include "removal/remove_ticked_files.h"

#include <optional>
#include <string>

#include "common/decimal.h"
#include "removal/ticked_files.h"

namespace kz {

namespace {

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
  std::optional<TickedOutcome> outcome = AskThenActOnTickedFiles(
      program, "Datei(en) löschen?",
      [](ListedFolder& folder, const FileRecord& record, const FileIdentity& listed) {
        return folder.RemoveFile(record.name, listed);
      },
      Progress);
  if (!outcome) return Outcome::kContinue;
  if (outcome->closed) return Outcome::kExit;
  // Appended piece by piece: "literal" + temporary trips a false -Wrestrict in GCC 12.
  std::string message = " ";
  message += IntToDecimal(outcome->taken);
  message += " Datei(en) erfolgreich gelöscht!";
  program.ui.SetStatusText(0, message);
  return Outcome::kContinue;
}

}  // namespace kz
