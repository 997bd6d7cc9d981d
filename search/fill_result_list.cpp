#include "search/fill_result_list.h"

#include <string>

#include "app/ids.h"
#include "common/decimal.h"
#include "search/result_row_text.h"

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

  std::string treeText = ui.ControlText(id::kFolderTree);
  char separator = program.files.Separator();
  std::string row;
  ui.BeginRowBatch(id::kResultList, list.count());
  list.rewind();
  while (list.advance()) {
    const FileRecord& record = list.current();
    row.clear();
    AppendResultRowText(row, record, separator, treeText);
    ui.AddRow(id::kResultList, -1, row);
  }
  ui.EndRowBatch(id::kResultList);
  ui.SetStatusText(1, "Anzahl Dateien : " + IntToDecimal(ui.RowCount(id::kResultList)));
}

}  // namespace kz
