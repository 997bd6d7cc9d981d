#include "player/player_enable.h"
#include "core/ids.h"

namespace kz {

void ApplyPlayerEnableRule(Program& program) {
  Ui& ui = program.ui;
  int flag = ui.ControlText(id::kResultList).empty() ? 1 : 0;
  for (int control : {id::kPositionBar, id::kPlayButton, id::kPauseButton, id::kStopButton,
                      id::kRewindButton, id::kForwardButton}) {
    ui.DisableControl(control, flag);
  }
}

}  // namespace kz
