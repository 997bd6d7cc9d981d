#pragma once

#include "core/program.h"

namespace kz {

// The player buttons. All act on slot 0 and ignore the results of their commands.

// Opens the selected row's file (refused while a file is open, which then plays on), sets the
// position bar's maximum to the length, resets both offsets and plays.
void PressPlay(Program& program);
void PressPause(Program& program);
// Stops and closes the slot; the time field and the bar go back to their rest values.
void PressStop(Program& program);
// Each press jumps one more second back (or ahead) than the last, counted since the last play.
void PressRewind(Program& program);
void PressForward(Program& program);

}  // namespace kz
