#pragma once

#include <dirent.h>
#include <unistd.h>

#include "common/unique_handle.h"

namespace kz {

// File descriptors from open(): -1 on failure, close().
struct DescriptorPolicy {
  using Handle = int;
  static Handle Invalid() noexcept { return -1; }
  static void Close(Handle descriptor) noexcept { close(descriptor); }
};
using UniqueDescriptor = UniqueHandle<DescriptorPolicy>;

// Directory streams from opendir(): null on failure, closedir(), which also closes the
// descriptor underneath.
struct DirectoryPolicy {
  using Handle = DIR*;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle directory) noexcept { closedir(directory); }
};
using UniqueDirectory = UniqueHandle<DirectoryPolicy>;

}  // namespace kz
