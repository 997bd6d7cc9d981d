#include "search/fill_result_list.h"

#include <string>
#include <string_view>

#include "app/ids.h"
#include "common/decimal.h"

namespace kz {
namespace {

// Appends `text` with every occurrence of `cut` left out, scanning from left to right. Every
// directory begins with the searched folder, so this leaves the path below it. An empty `cut`
// (the tree's root item was selected meanwhile) removes nothing.
void AppendWithout(std::string& out, std::string_view text, std::string_view cut) {
  if (cut.empty()) {
    out.append(text);
    return;
  }
  std::size_t from = 0;
  for (std::size_t at = text.find(cut); at != std::string_view::npos; at = text.find(cut, from)) {
    out.append(text.substr(from, at - from));
    from = at + cut.size();
  }
  out.append(text.substr(from));
}

}  // namespace

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
    row.assign(record.name.view());
    row += '\n';
    row += IntToDecimal(record.sizeKB);
    row += " KB\n...";
    row += separator;
    AppendWithout(row, record.directory.view(), treeText);
    row += '\n';
    row += IntToDecimal(record.id);
    ui.AddRow(id::kResultList, -1, row);
  }
  ui.EndRowBatch(id::kResultList);
  ui.SetStatusText(1, "Anzahl Dateien : " + IntToDecimal(ui.RowCount(id::kResultList)));
}

}  // namespace kz
