#pragma once

#include <string_view>

#include "core/mp3_info.h"
#include "platform/file_system.h"

namespace kz {

// Reads the playing time, bit rate and frequency of the MP3 file at `path` from its frame
// headers, reading the file in chunks and passing over the holes of a sparse file. Every field
// of `info` is reset first (-1, frameCount 0); fileSize is written once the file is open.
// Returns 1 for success, 0 when the file cannot be opened (or is no regular file, or empty) or
// the scan fails. A file that cannot be read to its end (it shrank, its medium went away)
// leaves every field as reset.
int ReadMp3Info(FileSystem& files, std::string_view path, Mp3Info& info);

}  // namespace kz
