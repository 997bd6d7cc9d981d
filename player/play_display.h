#pragma once

#include "core/program.h"

namespace kz {

// While the player reports playing, the position bar and the time field follow the position.
void RefreshPlayDisplay(Program& program);

}  // namespace kz
