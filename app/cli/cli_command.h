#pragma once

#include <span>
#include <string>
#include <vector>

namespace kz::cli {

// Exit codes of klangzwilling-cli, the same for every command.
inline constexpr int kExitDone = 0;
inline constexpr int kExitUnreadable = 1;  // a file or folder argument could not be read
inline constexpr int kExitUsage = 2;
inline constexpr int kExitWriteFailed = 3;    // the output could not be written (disk full, ...)
inline constexpr int kExitInterrupted = 130;  // cut short by Ctrl+C, as shells report SIGINT

// A subcommand of klangzwilling-cli. Each command's file registers itself with a static
// CliCommand object, so main() needs to know none of them.
using CommandMain = int (*)(std::span<const std::string> arguments);

struct CliCommand {
  CliCommand(const char* name, const char* usage, const char* summary, CommandMain run);
};

struct RegisteredCommand {
  const char* name;
  const char* usage;    // the arguments after the command's name
  const char* summary;  // one line for the program's help
  CommandMain run;
};
std::vector<RegisteredCommand>& Commands();

// For a usage error of `command` (null for the program itself): prints `problem` and the usage
// lines on stderr and gives kExitUsage.
int UsageError(const char* command, const std::string& problem);

// True for "-h" and "--help".
bool IsHelpOption(const std::string& argument);

// Flushes and closes stdout; on failure prints why on stderr and gives kExitWriteFailed,
// otherwise `status`. Output lost to a full disk must not end with "done".
int FinishOutput(int status);

}  // namespace kz::cli
