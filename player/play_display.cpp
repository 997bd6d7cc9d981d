#include "player/play_display.h"
#include "core/ids.h"
#include "player/mci.h"

namespace kz {

void RefreshPlayDisplay(Program& program) {
  Ui& ui = program.ui;
  bool playing = MciStatusMode(program.media, kPlayerSlot) == mci_mode::kPlaying;
  if (playing) {
    ui.SetControlState(id::kPositionBar, MciPosition(program.media, kPlayerSlot));
    ui.SetControlText(id::kTimeField, FormatPlayTime(MciPosition(program.media, kPlayerSlot)));
  }
  // Wake-ups exist only while a file plays, so that the display moves without input and the
  // program rests between events otherwise.
  if (playing != program.playbackWakeupsOn) {
    program.playbackWakeupsOn = playing;
    ui.SetPlaybackWakeups(playing);
  }
}

}  // namespace kz
