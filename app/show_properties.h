#pragma once

#include "core/program.h"

namespace kz {

// The "Eigenschaften" menu item: shows the playing time, bit rate, frequency, size and creation
// date of the selected row's file in the properties window, with the main window disabled, and
// returns when that window is closed. Stores the playing time in the DuplicateIndex record.
// Does nothing while no row is selected. A close event during the wait closes only the
// properties window, so the program goes on.
Outcome ShowProperties(Program& program);

}  // namespace kz
