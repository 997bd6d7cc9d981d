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

// Walks `directory` (ending in the separator), collecting every file with the given extension
// (in any letter case) into FoundFiles and ReferenceFiles, and, while the recursion check box is
// ticked, the subfolders too. One event is polled per listed entry, "." and ".." included, so
// that the window stays responsive.
//
// Every folder is entered once, whatever path leads to it, and every file is collected with the
// identity its listing reported. A subfolder whose listing opened another folder than the one
// its parent listed is left alone.
ScanEnd ScanFolder(Program& program, LinkGuard& links, const std::string& directory,
                   std::string_view extension);

}  // namespace kz
