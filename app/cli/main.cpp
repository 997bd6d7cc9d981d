// klangzwilling-cli: the desktop program's search and MP3 reading without a window.

#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/cli_command.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/wide_text.h"
#endif

namespace kz::cli {

CliCommand::CliCommand(const char* name, const char* usage, CommandMain run) {
  Commands().push_back({name, usage, run});
}

std::vector<RegisteredCommand>& Commands() {
  static std::vector<RegisteredCommand> commands;
  return commands;
}

namespace {

int Usage() {
  std::fprintf(stderr, "usage:\n");
  for (const RegisteredCommand& command : Commands()) {
    std::fprintf(stderr, "  klangzwilling-cli %s %s\n", command.name, command.usage);
  }
  return 2;
}

int Run(std::vector<std::string> arguments) {
  if (arguments.empty()) return Usage();
  for (const RegisteredCommand& command : Commands()) {
    if (arguments[0] == command.name) {
      return command.run(std::span<const std::string>(arguments).subspan(1));
    }
  }
  std::fprintf(stderr, "klangzwilling-cli: unknown command '%s'\n", arguments[0].c_str());
  return Usage();
}

}  // namespace
}  // namespace kz::cli

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(kz::Narrow(argv[i]));
  return kz::cli::Run(std::move(arguments));
}
#else
int main(int argc, char** argv) {
  return kz::cli::Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
