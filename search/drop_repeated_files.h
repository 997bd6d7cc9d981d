#pragma once

#include "core/program.h"

namespace kz {

// Keeps one record per physical file among the collected ones. A file reached under a second
// path (a hard link, a link to the file, a folder that shows up under two names) would otherwise
// be its own namesake, and deleting "the copy" would delete the only file. Of several paths the
// one that is no link is kept, else the first collected; FoundFiles and ReferenceFiles lose the
// same records. Records without a known identity or file id are all kept.
void DropRepeatedFiles(Program& program);

}  // namespace kz
