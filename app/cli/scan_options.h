#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/cli/row_writer.h"

namespace kz::cli {

struct ScanOptions {
  std::string folder;
  bool flat = false;
  bool quiet = false;
  char terminator = '\n';
  RowFormat format = RowFormat::kWindow;
  // The matching rule; all unset is the window's rule (the same name, byte for byte).
  bool sameSize = false;
  bool ignoreCase = false;
  std::int64_t minSize = -1;  // -1: no lower bound
  std::vector<std::string> excluded;
  // The audio of each name's files compared; with sameRecording only the files of a recording
  // with two or more of them are printed.
  bool recordings = false;
  bool sameRecording = false;

  // True when the rows come from the command line's own matching instead of the window's.
  bool OwnMatching() const { return sameSize || ignoreCase || minSize >= 0; }
};

// Reads the scan command's arguments. Gives nothing when the options are to be used, or the
// exit code when the run ends here (help printed: 0; usage error reported: 2).
std::optional<int> ParseScanOptions(std::span<const std::string> arguments, ScanOptions& options);

inline constexpr const char* kScanUsage = "[OPTIONS] [--] FOLDER";

}  // namespace kz::cli
