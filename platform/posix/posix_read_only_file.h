#pragma once

#include <cstdint>
#include <memory>

#include "platform/file_system.h"
#include "platform/posix/posix_handles.h"

namespace kz {

// A regular file already opened for reading and checked, as a ReadOnlyFile of `size` bytes.
std::unique_ptr<ReadOnlyFile> ReadOnlyFileOf(UniqueDescriptor descriptor, std::uint64_t size);

}  // namespace kz
