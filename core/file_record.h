#pragma once

#include <cstdint>

#include "common/shared_text.h"

namespace kz {

// One MP3 file as the search found it. The file's path is directory followed by name.
struct FileRecord {
  std::int32_t id = 0;         // in the duplicate lists: position in DuplicateIndex
  SharedText name;             // as the listing gave it, without directory part
  SharedText directory;        // ends in the path separator
  SharedText durationText;     // "mm:ss", written by the properties window
  std::int32_t sizeKB = 0;     // bytes / 1024 + 1; 1 when the file could not be found
  std::int32_t identity = -1;  // position in the search's file identities; -1: none known
};

}  // namespace kz
