#include "app/show_properties.h"

#include "core/ids.h"
#include "core/row_record.h"
#include "mp3/mp3_reader.h"
#include "mp3/property_rows.h"
#include "mp3/timestamp.h"

namespace kz {
namespace {

constexpr std::int32_t kAppend = -1;

}  // namespace

Outcome ShowProperties(Program& program) {
  Ui& ui = program.ui;
  // The menu item keeps the state of the last pass; a right click on an empty part of the list
  // may have dropped the selection since.
  std::int32_t row = ui.ControlState(id::kResultList);
  if (row == -1) return Outcome::kContinue;
  FileRecord* record = RecordOfRow(program, row);
  if (!record) return Outcome::kContinue;

  ui.EnableMainWindow(false);
  if (!ui.OpenPropertiesWindow()) {
    ui.EnableMainWindow(true);
    return Outcome::kContinue;
  }

  std::string path = record->directory + record->name.view();
  ReadMp3Info(program.files, path, program.mp3Info);  // a failure shows the fields as they are
  record->durationText = DurationText(program.mp3Info);
  for (const std::string& text : PropertyRows(program.mp3Info, record->durationText,
                                              FileCreationTimestamp(program.files, path))) {
    ui.AddRow(id::kPropertiesList, kAppend, text);
  }

  // Modal: every event but a close is dropped; whichever window the close is for, it closes
  // the properties window and the program keeps running.
  while (ui.WaitEvent() != event::kClose) {
  }
  ui.ClosePropertiesWindow();
  ui.EnableMainWindow(true);
  return Outcome::kContinue;
}

}  // namespace kz
