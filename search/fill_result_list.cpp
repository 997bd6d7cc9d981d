#include "search/fill_result_list.h"

#include "common/decimal.h"
#include "core/ids.h"

namespace kz {

void FillResultList(Program& program) {
  Ui& ui = program.ui;
  RecordList& list = program.duplicateList;
  if (list.count() == 0) {
    ui.SetStatusText(0, " Suche beendet! Keine doppelten MP3-Dateien gefunden!");
    return;
  }
  ui.SetStatusText(0, " Suche erfolgreich beendet!");
  list.sortByName();

  program.resultRoot = ui.ControlText(id::kFolderTree);
  char separator = program.files.Separator();
  ui.BeginRowBatch(id::kResultList, list.count());
  list.rewind();
  while (list.advance()) {
    ui.AddRecordRow(id::kResultList, list.current(), program.resultRoot, separator);
  }
  ui.EndRowBatch(id::kResultList);
  ui.SetStatusText(1, "Anzahl Dateien : " + IntToDecimal(ui.RowCount(id::kResultList)));
}

}  // namespace kz
