#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/file_system.h"

namespace kz {

// What only the command-line companion needs from the system, so that its code stays portable.

std::unique_ptr<FileSystem> MakeSystemFileSystem();
std::unique_ptr<Clock> MakeSystemClock();

// From now on the first Ctrl+C does not end the process but is noted for TakeInterrupt; a second
// one ends it as usual.
void CatchFirstInterrupt();
// True once for a noted Ctrl+C.
bool TakeInterrupt();

bool ErrorStreamIsTerminal();

// Standard output passes bytes on unchanged: a text-mode console would add a CR before every LF
// of formats that carry their own record ends.
void UseBinaryStandardOutput();

// The folder as an absolute path ending in the separator, as the folder tree would give it; empty
// when it does not exist or is not a directory.
std::optional<std::string> AbsoluteFolderPath(std::string_view folder);

}  // namespace kz
