#include "search/run_search.h"

#include <string>

#include "core/ids.h"
#include "search/detect_duplicates.h"
#include "search/drop_repeated_files.h"
#include "search/fill_result_list.h"
#include "search/link_guard.h"
#include "search/scan_folder.h"

namespace kz {

Outcome RunSearch(Program& program) {
  Ui& ui = program.ui;
  program.filesFound = 0;
  program.directoriesEntered = 0;
  program.foundFiles.clear();
  program.referenceFiles.clear();
  program.duplicateList.clear();
  program.duplicateIndex.clear();
  program.identities.clear();
  program.listedSizes.clear();
  program.recordings.clear();
  program.recordingsComplete = false;
  ui.ClearRows(id::kResultList);
  ui.SetStatusText(1, "Anzahl Dateien : 0");
  ui.SetControlState(id::kSearchButton, ui.ImageById(id::kStopSearchImage));
  ui.DisableControl(id::kRecursiveCheck, 1);

  // Taken once: selecting another folder during the scan does not change what is scanned.
  std::string root = ui.ControlText(id::kFolderTree);
  LinkGuard links(program.files, root);
  // A cut-short scan goes on to the listing of what it collected so far.
  if (ScanFolder(program, links, root, "mp3") == ScanEnd::kClosed) return Outcome::kExit;

  DropRepeatedFiles(program);
  DetectDuplicates(program);
  FillResultList(program);
  ui.SetControlState(id::kSearchButton, ui.ImageById(id::kGoImage));
  ui.DisableControl(id::kRecursiveCheck, 0);
  return Outcome::kContinue;
}

}  // namespace kz
