#include "app/ids.h"
#include "player/mci.h"
#include "player/player_controls.h"

namespace kz {

void RefreshPlayDisplay(Program& program) {
  Ui& ui = program.ui;
  bool playing = MciStatusMode(program.media, 0) == mci_mode::kPlaying;
  if (playing) {
    ui.SetControlState(id::kPositionBar, MciPosition(program.media, 0));
    ui.SetControlText(id::kTimeField, FormatPlayTime(MciPosition(program.media, 0)));
  }
  // Wake-ups exist only while a file plays, so that the display moves without input and the
  // program rests between events otherwise.
  if (playing != program.playbackWakeupsOn) {
    program.playbackWakeupsOn = playing;
    ui.SetPlaybackWakeups(playing);
  }
}

}  // namespace kz
