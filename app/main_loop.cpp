#include "app/main_loop.h"

#include "app/dispatch.h"
#include "common/decimal.h"
#include "core/ids.h"
#include "player/play_display.h"
#include "player/player_enable.h"

namespace kz {

void RefreshStatus(Program& program) {
  Ui& ui = program.ui;
  // A signed difference keeps the throttle working across the wrap of the tick counter.
  auto elapsed = static_cast<std::int32_t>(program.clock.TickCount() - program.lastWelcomeTick);
  if (elapsed > 5000) {
    program.lastWelcomeTick = program.clock.TickCount();
    ui.SetStatusText(0, " Herzlich willkommen zu " + program.title);
  }
  if (ui.RowCount(id::kResultList) != program.lastShownRowCount) {
    program.lastShownRowCount = ui.RowCount(id::kResultList);
    ui.SetStatusText(1, "Anzahl Dateien : " + IntToDecimal(program.lastShownRowCount));
  }
}

void ApplyEnableRules(Program& program) {
  Ui& ui = program.ui;
  ui.DisableMenuItem(id::kRemoveItem, 1);
  ui.DisableMenuItem(id::kRecycleItem, 1);
  if (ui.FirstRowWithState(id::kResultList, row_state::kTicked, 0) >= 0) {
    ui.DisableMenuItem(id::kRemoveItem, 0);
    ui.DisableMenuItem(id::kRecycleItem, 0);
  }
  bool rowSelected = ui.ControlState(id::kResultList) > -1;
  ui.DisableMenuItem(id::kPropertiesItem, rowSelected ? 0 : 1);
  int noRows = ui.RowCount(id::kResultList) > 0 ? 0 : 1;
  ui.DisableMenuItem(id::kTickAllButLargestItem, noRows);
  ui.DisableMenuItem(id::kTickFolderItem, rowSelected ? noRows : 1);
  ui.DisableMenuItem(id::kClearTicksItem, noRows);
  ui.DisableMenuItem(id::kCompareRecordingsItem, noRows);
  ui.DisableControl(id::kSearchButton, ui.ControlText(id::kFolderTree).empty() ? 1 : 0);
  ApplyPlayerEnableRule(program);
}

Outcome RunPass(Program& program) {
  Ui& ui = program.ui;
  RefreshStatus(program);
  ApplyEnableRules(program);
  RefreshPlayDisplay(program);
  std::int32_t code = ui.WaitEvent();
  if (code == event::kRightButtonDown || ui.EventType() == control_event::kRightClick) {
    ui.ShowItemMenu();
  }
  if (code == event::kMenu) {
    if (DispatchMenuEvent(program, ui.EventSource()) == Outcome::kExit) return Outcome::kExit;
  }
  if (code == event::kControl) {
    if (DispatchControlEvent(program, ui.EventSource()) == Outcome::kExit) return Outcome::kExit;
  }
  return code == event::kClose ? Outcome::kExit : Outcome::kContinue;
}

void RunMainLoop(Program& program) {
  while (RunPass(program) == Outcome::kContinue) {
  }
}

}  // namespace kz
