#pragma once

#include "core/program.h"

namespace kz {

// Stops and closes playback, asks whether to move the ticked rows' files to the Recycle Bin, and
// on Yes moves every one that the bin can take there, checked as the removal checks it, and
// takes out their rows. A file the bin cannot take is never deleted instead: it stays as it was,
// and so does its row, still ticked. A close request ends the task after the file in hand, and
// then the program (kExit).
Outcome RecycleTickedFiles(Program& program);

}  // namespace kz
