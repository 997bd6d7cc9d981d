#pragma once

#include "core/program.h"

namespace kz {

// The search button's command: clears the lists and the result list, scans the folder selected
// in the tree, lists every MP3 file whose name occurs in another directory and reports the
// outcome. kExit when the window was closed during the scan; nothing else of the search runs then.
Outcome RunSearch(Program& program);

}  // namespace kz
