#pragma once

#include <span>
#include <string>
#include <vector>

namespace kz::cli {

// A subcommand of klangzwilling-cli. Each command's file registers itself with a static
// CliCommand object, so main() needs to know none of them.
using CommandMain = int (*)(std::span<const std::string> arguments);

struct CliCommand {
  CliCommand(const char* name, const char* usage, CommandMain run);
};

struct RegisteredCommand {
  const char* name;
  const char* usage;
  CommandMain run;
};
std::vector<RegisteredCommand>& Commands();

}  // namespace kz::cli
