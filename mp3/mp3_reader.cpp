#include "mp3/mp3_reader.h"

#include "mp3/mp3_scan.h"

namespace kz {

int ReadMp3Info(FileSystem& files, std::string_view path, Mp3Info& info) {
  info = Mp3Info{};
  std::unique_ptr<MappedFile> file = files.MapReadOnly(path);
  if (!file) return 0;
  info.fileSize = static_cast<std::int32_t>(file->sizeLow32());
  return ScanMp3Frames(file->bytes(), info);
}

}  // namespace kz
