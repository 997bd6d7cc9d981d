#pragma once

#include <span>
#include <string_view>

#include "core/file_record.h"

namespace kz {

// Unsigned byte order of names; a prefix sorts first. Negative, 0 or positive.
int CompareNames(std::string_view a, std::string_view b);

// In-place quicksort by name, unsigned byte order. Not stable: the pivot choice and the
// partition fix the order in which namesakes are shown, so both are kept exactly as they are.
// Records are exchanged whole.
void SortRecordsByName(std::span<FileRecord*> records);

}  // namespace kz
