// klangzwilling-cli scan [--flat] FOLDER: the desktop program's search, its rows on stdout.

#include <cstdio>
#include <optional>
#include <string>

#include "app/cli/cli_command.h"
#include "app/cli/console_ui.h"
#include "app/cli/no_media.h"
#include "app/program.h"
#include "platform/command_line.h"
#include "search/run_search.h"

namespace kz::cli {
namespace {

constexpr const char* kUsage = "[--flat] FOLDER";

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "klangzwilling-cli scan: %s (usage: klangzwilling-cli scan %s)\n",
               problem.c_str(), kUsage);
  return 2;
}

int RunScan(std::span<const std::string> arguments) {
  bool flat = false;
  bool optionsEnded = false;
  std::optional<std::string> folder;
  for (const std::string& argument : arguments) {
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && argument == "--flat") {
      flat = true;
    } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
      return UsageError("unknown option '" + argument + "'");
    } else if (folder) {
      return UsageError("more than one FOLDER");
    } else {
      folder = argument;
    }
  }
  if (!folder) return UsageError("FOLDER missing");
  std::optional<std::string> root = AbsoluteFolderPath(*folder);
  if (!root) {
    std::fprintf(stderr, "klangzwilling-cli scan: '%s' does not exist or is not a folder\n",
                 folder->c_str());
    return 2;
  }

  std::unique_ptr<FileSystem> files = MakeSystemFileSystem();
  std::unique_ptr<Clock> clock = MakeSystemClock();
  NoMedia media;
  ConsoleUi ui(*root, !flat, stdout, stderr, ErrorStreamIsTerminal());
  Program program(ui, *clock, *files, media);
  CatchFirstInterrupt();
  RunSearch(program);  // the console never closes a window, so the search always ends normally
  ui.ReportStatus();
  return 0;
}

const CliCommand registration("scan", kUsage, &RunScan);

}  // namespace
}  // namespace kz::cli
