#pragma once

#include <cstdint>

#include "core/program.h"

namespace kz {

// Runs the handler of a menu event (item id) or a control event (control id). Events without a
// handler are dropped.
Outcome DispatchMenuEvent(Program& program, std::int32_t itemId);
Outcome DispatchControlEvent(Program& program, std::int32_t controlId);

}  // namespace kz
