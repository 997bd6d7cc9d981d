#pragma once

#include "core/program.h"

namespace kz {

// Reports the outcome in status field 0; when namesakes were found, sorts DuplicateList by name
// and adds one row per record (name, "N KB", the directory below the searched folder, ID) and
// writes the row count to status field 1.
void FillResultList(Program& program);

}  // namespace kz
