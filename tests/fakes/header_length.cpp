#include "tests/fakes/header_length.h"

#include "mp3/mp3_reader.h"

namespace kz {

SimulatedMedia::LengthOfFile LengthFromHeaders(FileSystem& files) {
  return [&files](std::string_view path) -> std::optional<std::int32_t> {
    Mp3Info info;
    if (!ReadMp3Info(files, path, info) || info.frameCount <= 0) return std::nullopt;
    return info.durationMs;
  };
}

}  // namespace kz
