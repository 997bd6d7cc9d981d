#include "mp3/mp3_reader.h"

#include "mp3/file_bytes.h"
#include "mp3/mp3_scan.h"

namespace kz {

int ReadMp3Info(FileSystem& files, std::string_view path, Mp3Info& info) {
  info = Mp3Info{};
  std::unique_ptr<ReadOnlyFile> file = files.OpenReadOnly(path);
  if (!file) return 0;
  info.fileSize = static_cast<std::int32_t>(static_cast<std::uint32_t>(file->size()));
  FileBytes bytes(*file);
  if (ScanMp3Frames(bytes, info) == 1) return 1;
  // A file that shrank or went away during the read shows like one that could not be opened.
  if (bytes.failed()) info = Mp3Info{};
  return 0;
}

}  // namespace kz
