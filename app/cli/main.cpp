// klangzwilling-cli: the desktop program's search and MP3 reading without a window.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/cli/cli_command.h"
#include "common/version.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/wide_text.h"
#endif

namespace kz::cli {

CliCommand::CliCommand(const char* name, const char* usage, const char* summary, CommandMain run) {
  Commands().push_back({name, usage, summary, run});
}

std::vector<RegisteredCommand>& Commands() {
  static std::vector<RegisteredCommand> commands;
  return commands;
}

bool IsHelpOption(const std::string& argument) {
  return argument == "-h" || argument == "--help";
}

int UsageError(const char* command, const std::string& problem) {
  std::fprintf(stderr, "klangzwilling-cli%s%s: %s\n", command ? " " : "", command ? command : "",
               problem.c_str());
  for (const RegisteredCommand& each : Commands()) {
    if (command && std::strcmp(command, each.name) != 0) continue;
    std::fprintf(stderr, "usage: klangzwilling-cli %s %s\n", each.name, each.usage);
  }
  std::fprintf(stderr, "Try 'klangzwilling-cli %s--help'.\n",
               command ? (std::string(command) + " ").c_str() : "");
  return kExitUsage;
}

int FinishOutput(int status) {
  // fflush reports a failed write of what was buffered; ferror one of an earlier write.
  bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
  int error = errno;
  if (std::fclose(stdout) != 0 && !failed) {
    failed = true;
    error = errno;
  }
  if (!failed) return status;
  std::fprintf(stderr, "klangzwilling-cli: writing the output failed: %s\n", std::strerror(error));
  return kExitWriteFailed;
}

namespace {

void PrintHelp() {
  std::printf(
      "usage: klangzwilling-cli [-h | --help] [--version] COMMAND [ARGUMENTS]\n"
      "\n"
      "The search and the MP3 header reader of MP3 - Klangzwilling " KZ_VERSION_TEXT
      ", without a window:\n"
      "finds the MP3 files whose file name occurs in more than one folder of a tree.\n"
      "\n"
      "Commands:\n");
  for (const RegisteredCommand& command : Commands()) {
    std::string call = std::string(command.name) + " " + command.usage;
    std::printf("  %-28s %s\n", call.c_str(), command.summary);
  }
  std::printf(
      "\n"
      "'klangzwilling-cli COMMAND --help' explains a command and its options.\n"
      "\n"
      "Exit status:\n"
      "  0    done\n"
      "  1    a file or folder named on the command line could not be read\n"
      "  2    usage error (unknown option, missing argument)\n"
      "  3    the output could not be written (a full disk, a closed pipe ...)\n"
      "  130  cut short by Ctrl+C (scan prints the rows of the files found so far)\n");
}

int Run(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return UsageError(nullptr, "COMMAND missing");
  const std::string& first = arguments[0];
  if (IsHelpOption(first)) {
    PrintHelp();
    return FinishOutput(kExitDone);
  }
  if (first == "--version") {
    std::printf("klangzwilling-cli " KZ_VERSION_TEXT "\n");
    return FinishOutput(kExitDone);
  }
  for (const RegisteredCommand& command : Commands()) {
    if (first == command.name) {
      return command.run(std::span<const std::string>(arguments).subspan(1));
    }
  }
  if (first.size() > 1 && first[0] == '-')
    return UsageError(nullptr, "unknown option '" + first + "'");
  return UsageError(nullptr, "unknown command '" + first + "'");
}

}  // namespace
}  // namespace kz::cli

#ifdef _WIN32
namespace {

// UTF-8 on the console while the program runs, and the code page the console had afterwards,
// so the user's later programs see their console as they left it.
class ConsoleCodePage {
 public:
  ConsoleCodePage() : before_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
  ~ConsoleCodePage() {
    if (before_ != 0) SetConsoleOutputCP(before_);
  }
  ConsoleCodePage(const ConsoleCodePage&) = delete;
  ConsoleCodePage& operator=(const ConsoleCodePage&) = delete;

 private:
  UINT before_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ConsoleCodePage codePage;
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(kz::Narrow(argv[i]));
  return kz::cli::Run(arguments);
}
#else
int main(int argc, char** argv) {
  return kz::cli::Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
