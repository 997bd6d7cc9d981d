#include "removal/recycle_ticked_files.h"

#include <optional>
#include <string>

#include "common/decimal.h"
#include "removal/ticked_files.h"

namespace kz {

namespace {

std::string Progress(std::int32_t moved, std::int32_t ticked) {
  std::string text = " ";
  text += IntToDecimal(moved);
  text += " von ";
  text += IntToDecimal(ticked);
  text += " Datei(en) in den Papierkorb verschoben";
  return text;
}

}  // namespace

Outcome RecycleTickedFiles(Program& program) {
  std::optional<TickedOutcome> outcome = AskThenActOnTickedFiles(
      program, "Datei(en) in den Papierkorb verschieben?",
      [](ListedFolder& folder, const FileRecord& record, const FileIdentity& listed) {
        return folder.RecycleFile(record.name, listed);
      },
      Progress);
  if (!outcome) return Outcome::kContinue;
  if (outcome->closed) return Outcome::kExit;
  // Appended piece by piece: "literal" + temporary trips a false -Wrestrict in GCC 12.
  std::string message = " ";
  message += IntToDecimal(outcome->taken);
  message += " Datei(en) in den Papierkorb verschoben!";
  // The rest stayed as it was: left out, changed since the search, or not for the bin.
  if (outcome->taken < outcome->ticked) {
    message += ", ";
    message += IntToDecimal(outcome->ticked - outcome->taken);
    message += " nicht";
  }
  program.ui.SetStatusText(0, message);
  return Outcome::kContinue;
}

}  // namespace kz
