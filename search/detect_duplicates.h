#pragma once

#include "core/program.h"

namespace kz {

// Moves every record of FoundFiles whose name (byte for byte) occurs in ReferenceFiles under a
// different directory into DuplicateList and DuplicateIndex, in scan order, each with its
// position as id and its size measured again. Files whose name occurs in one directory only stay
// in FoundFiles.
void DetectDuplicates(Program& program);

}  // namespace kz
