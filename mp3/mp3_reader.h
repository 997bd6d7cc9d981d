#pragma once

#include <string_view>

#include "mp3/mp3_info.h"
#include "platform/file_system.h"

namespace kz {

// Reads the playing time, bit rate and frequency of the MP3 file at `path` from its frame
// headers, in place through a read-only mapping of the whole file. Every field of `info` is
// reset first (-1, frameCount 0); fileSize is written once the file's bytes are in view.
// Returns 1 for success, 0 when the file cannot be opened, mapped or viewed, or the scan fails.
int ReadMp3Info(FileSystem& files, std::string_view path, Mp3Info& info);

}  // namespace kz
