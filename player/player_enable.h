#pragma once

#include "core/program.h"

namespace kz {

// While no row of the result list is selected, the position bar and the five player buttons
// are disabled (in that order); otherwise they are enabled in the same order.
void ApplyPlayerEnableRule(Program& program);

}  // namespace kz
