#pragma once

#include <windows.h>

namespace kz {

// Symbolic links and junctions lead elsewhere; other reparse points (cloud placeholders,
// deduplicated files) hold their own contents and are plain files and folders to the scan. Wine
// marks a Unix symlink to a folder as a reparse point without a tag.
inline bool LeadsElsewhere(DWORD attributes, DWORD reparseTag) {
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return reparseTag == 0 || IsReparseTagNameSurrogate(reparseTag);
}

}  // namespace kz
