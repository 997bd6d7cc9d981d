// klangzwilling-cli info FILE: what the properties window would show for one MP3 file.

#include <cstdio>
#include <string>

#include "app/cli/cli_command.h"
#include "mp3/mp3_reader.h"
#include "mp3/property_rows.h"
#include "mp3/timestamp.h"

#ifdef _WIN32
#include "platform/win32/win_file_system.h"
#else
#include "platform/posix/posix_file_system.h"
#endif

namespace kz::cli {
namespace {

#ifdef _WIN32
using NativeFileSystem = WinFileSystem;
#else
using NativeFileSystem = PosixFileSystem;
#endif

void PrintField(const char* name, std::int32_t value) {
  std::printf("%s=%ld\n", name, static_cast<long>(value));
}

int RunInfo(std::span<const std::string> arguments) {
  if (arguments.size() != 1) {
    std::fprintf(stderr, "usage: klangzwilling-cli info FILE\n");
    return 2;
  }
  const std::string& path = arguments[0];
  NativeFileSystem files;
  Mp3Info info;
  int ok = ReadMp3Info(files, path, info);
  PrintField("ok", ok);
  PrintField("fileSize", info.fileSize);
  PrintField("durationMs", info.durationMs);
  PrintField("bitRate", info.bitRate);
  PrintField("frequency", info.frequency);
  PrintField("frameCount", info.frameCount);
  for (std::string row :
       PropertyRows(info, DurationText(info), FileCreationTimestamp(files, path))) {
    // Column 0 and column 1, split where the window's list splits them.
    std::size_t split = row.find('\n');
    if (split != std::string::npos) row[split] = '\t';
    std::printf("%s\n", row.c_str());
  }
  return ok == 1 ? 0 : 1;
}

const CliCommand kInfoCommand("info", "FILE", RunInfo);

}  // namespace
}  // namespace kz::cli
