#pragma once

#include "core/program.h"

namespace kz {

// Stops and closes playback, asks whether to delete, and on Yes deletes the file of every
// ticked row for good and takes out the rows whose file is gone. The record lists stay as they
// are, so the ID of every remaining row still names its own record. The window stays alive
// meanwhile; a close request ends the removal after the file in hand, and then the program
// (kExit).
Outcome RemoveTickedFiles(Program& program);

}  // namespace kz
