#pragma once

#include <memory>

#include "platform/file_system.h"
#include "platform/win32/win_handles.h"

namespace kz {

// A file opened with read access as a ReadOnlyFile: null for a pipe or device, which is no file
// to read to an end, and for an empty file.
std::unique_ptr<ReadOnlyFile> ReadOnlyFileOf(UniqueFile file);

}  // namespace kz
