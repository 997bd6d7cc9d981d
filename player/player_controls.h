#pragma once

#include "app/program.h"

namespace kz {

// While no row of the result list is selected, the position bar and the five player buttons
// are disabled (in that order); otherwise they are enabled in the same order.
void ApplyPlayerEnableRule(Program& program);

// While the player reports playing, the position bar and the time field follow the position.
void RefreshPlayDisplay(Program& program);

}  // namespace kz
