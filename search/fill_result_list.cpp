#include "search/fill_result_list.h"

#include "common/decimal.h"
#include "core/ids.h"
#include "core/result_row.h"

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
  std::string row;
  list.rewind();
  while (list.advance()) {
    row.clear();
    AppendRowText(row, list.current(), program.resultRoot, separator);
    ui.AddRow(id::kResultList, -1, row);
  }
  ui.EndRowBatch(id::kResultList);
  ui.SetStatusText(1, "Anzahl Dateien : " + IntToDecimal(ui.RowCount(id::kResultList)));
}

}  // namespace kz
