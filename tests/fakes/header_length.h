#pragma once

#include "platform/file_system.h"
#include "tests/fakes/simulated_media.h"

namespace kz {

// The simulated service's idea of a file's length: the playing time the MP3 header reader finds,
// nothing for a file it cannot read or that holds no frames.
SimulatedMedia::LengthOfFile LengthFromHeaders(FileSystem& files);

}  // namespace kz
