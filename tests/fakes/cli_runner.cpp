#include "tests/fakes/cli_runner.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kz::testing {
namespace {

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string CliPath() {
  const char* cli = std::getenv("KZ_CLI");
  return cli ? cli : "";
}

std::string CliEmulator() {
  const char* emulator = std::getenv("KZ_CLI_EMULATOR");
  return emulator ? emulator : "";
}

std::string CliCommand(const std::string& cli) {
  std::string emulator = CliEmulator();
  return (emulator.empty() ? "" : ShellQuoted(emulator) + " ") + ShellQuoted(cli);
}

CliRun RunCli(const std::string& arguments, const std::string& scratch,
              const std::string& directory, const std::string& prefix, const std::string& cli) {
  if (cli.empty()) return {};
  std::string out = scratch + "/cli-stdout.txt";
  std::string err = scratch + "/cli-stderr.txt";
  std::string command = "cd " + ShellQuoted(directory) + " && " + prefix + " " + CliCommand(cli) +
                        " " + arguments + " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err) +
                        " </dev/null";
  int status = std::system(command.c_str());
  CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Contents(out), Contents(err)};
  std::remove(out.c_str());
  std::remove(err.c_str());
  return run;
}

}  // namespace kz::testing
