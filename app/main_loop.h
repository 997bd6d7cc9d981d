#pragma once

#include "core/program.h"

namespace kz {

// Welcome text in field 0 at most every 5000 ms, the row count in field 1 when it changed.
void RefreshStatus(Program& program);

// The enabled states of the popup-menu items, the search button and the player controls.
void ApplyEnableRules(Program& program);

// One pass: housekeeping, one wait, the dispatch. kExit once a close event arrived.
Outcome RunPass(Program& program);

// Passes until the program ends.
void RunMainLoop(Program& program);

}  // namespace kz
