#pragma once

#include <span>

#include "core/file_record.h"

namespace kz {

// In-place quicksort by name, unsigned byte order. Not stable: the pivot choice and the
// partition fix the order in which namesakes are shown, so both are kept exactly as they are.
// Records are exchanged whole.
void SortRecordsByName(std::span<FileRecord*> records);

}  // namespace kz
