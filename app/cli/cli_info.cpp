// klangzwilling-cli info FILE: what the properties window would show for one MP3 file.

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/cli/cli_command.h"
#include "app/cli/iso_time.h"
#include "mp3/audio_range.h"
#include "mp3/file_bytes.h"
#include "mp3/mp3_reader.h"
#include "mp3/property_rows.h"
#include "mp3/timestamp.h"
#include "platform/command_line.h"

namespace kz::cli {
namespace {

constexpr const char* kUsage = "[--] FILE";

constexpr const char* kHelp =
    "usage: klangzwilling-cli info [--] FILE\n"
    "\n"
    "Reads the MP3 headers of FILE as the properties window does and prints, one per line:\n"
    "  ok=1          the file holds MP3 frames (0: none found, the other values are then -1)\n"
    "  fileSize=     the size in bytes (the low 32 bits, as the window keeps it)\n"
    "  durationMs=   the playing time in milliseconds\n"
    "  bitRate=      bits per second; a negative value means the frames have different bit\n"
    "                rates, and its amount is their average (-131000: about 131 kbit/s, varying)\n"
    "  frequency=    the sampling frequency in Hz\n"
    "  frameCount=   the number of frames\n"
    "  created=      when the file was created, ISO 8601 in UTC (2024-02-29T13:05:09Z)\n"
    "  audioFrames=  the audio's frames, as \"Aufnahmen vergleichen\" walks them: from the first\n"
    "                frame after the tags and the information frame to the last whole one\n"
    "  audioBytes=   the length of those frames in bytes\n"
    "  audioHash=    their XXH3-128 hash, 32 hexadecimal digits (the high 64 bits first):\n"
    "                equal for two files of the same audio whatever their tags; for a file\n"
    "                unreadable as audio (no frames, a frame cut off, junk between frames) the\n"
    "                three are -1, -1 and empty\n"
    "followed by the five rows of the properties window, name and value separated by TAB\n"
    "(its date is the creation date in UTC as the window writes it).\n"
    "\n"
    "Exit status: 0 the file holds MP3 frames, 1 it could not be opened or holds none,\n"
    "2 usage error, 3 writing the output failed.\n";

void PrintField(const char* name, std::int32_t value) {
  std::printf("%s=%ld\n", name, static_cast<long>(value));
}

// The audio's frames and hash as the comparison of recordings reads them.
void PrintAudio(FileSystem& files, const std::string& path) {
  AudioDigest digest;
  if (std::unique_ptr<ReadOnlyFile> file = files.OpenReadOnly(path)) {
    FileBytes bytes(*file);
    AudioBounds bounds = FindAudioBounds(bytes);
    if (bounds.found && !bytes.failed()) digest = DigestAudio(bytes, bounds);
    digest.readable = digest.readable && !bytes.failed();
  }
  if (!digest.readable) {
    std::printf("audioFrames=-1\naudioBytes=-1\naudioHash=\n");
    return;
  }
  std::printf("audioFrames=%lu\naudioBytes=%llu\naudioHash=%016llx%016llx\n",
              static_cast<unsigned long>(digest.frames),
              static_cast<unsigned long long>(digest.bytes),
              static_cast<unsigned long long>(digest.hash.high),
              static_cast<unsigned long long>(digest.hash.low));
}

// Why the file cannot be read, or nothing when it can.
std::optional<std::string> OpenProblem(FileSystem& files, const std::string& path) {
  std::int64_t size = files.FileSize(path);
  if (size == -1) return "no such file";
  if (size == -2) return "it is a folder";
  if (size > 0 && !files.OpenReadOnly(path)) return "it cannot be opened for reading";
  return std::nullopt;
}

int RunInfo(std::span<const std::string> arguments) {
  std::optional<std::string> file;
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && IsHelpOption(argument)) {
      std::fputs(kHelp, stdout);
      return FinishOutput(kExitDone);
    } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
      return UsageError("info", "unknown option '" + argument + "'");
    } else if (file) {
      return UsageError("info", "more than one FILE");
    } else {
      file = argument;
    }
  }
  if (!file) return UsageError("info", "FILE missing");
  const std::string& path = *file;
  std::unique_ptr<FileSystem> files = MakeSystemFileSystem();
  if (std::optional<std::string> problem = OpenProblem(*files, path)) {
    std::fprintf(stderr, "klangzwilling-cli info: cannot read '%s': %s\n", path.c_str(),
                 problem->c_str());
    return kExitUnreadable;
  }
  Mp3Info info;
  int ok = ReadMp3Info(*files, path, info);
  PrintField("ok", ok);
  PrintField("fileSize", info.fileSize);
  PrintField("durationMs", info.durationMs);
  PrintField("bitRate", info.bitRate);
  PrintField("frequency", info.frequency);
  PrintField("frameCount", info.frameCount);
  std::optional<std::int64_t> created = files->CreationTime(path);
  std::printf("created=%s\n", created ? IsoUtcTime(*created).c_str() : "");
  PrintAudio(*files, path);
  for (std::string row :
       PropertyRows(info, DurationText(info), FileCreationTimestamp(*files, path))) {
    // Column 0 and column 1, split where the window's list splits them.
    std::size_t split = row.find('\n');
    if (split != std::string::npos) row[split] = '\t';
    std::printf("%s\n", row.c_str());
  }
  return FinishOutput(ok == 1 ? kExitDone : kExitUnreadable);
}

const CliCommand kInfoCommand("info", kUsage, "what the properties window shows for one MP3 file",
                              RunInfo);

}  // namespace
}  // namespace kz::cli
