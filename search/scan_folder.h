#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/program.h"
#include "search/link_guard.h"

namespace kz {

// How a scan ended: it walked everything, a click on the search button cut it short (the
// namesakes among the files collected so far are still listed), or the window was closed and
// nothing else of the search may run.
enum class ScanEnd { kFinished, kCutShort, kClosed };

// Walks `directory` (ending in the separator) with the listing of `depth`, collecting every file
// with the given extension (in any letter case) into FoundFiles and ReferenceFiles, and, while the
// recursion check box is ticked, the subfolders too. One event is polled per listed entry, "."
// and ".." included, so that the window stays responsive.
//
// Every folder is entered once, whatever path leads to it, and every file is collected with the
// identity its listing reported. `listedAs` is what the parent's listing said the folder is;
// when the folder opened by the path text is another one, it is left alone.
ScanEnd ScanFolder(Program& program, LinkGuard& links, const std::string& directory,
                   std::string_view extension, std::int32_t depth,
                   std::optional<ObjectId> listedAs = std::nullopt);

}  // namespace kz
