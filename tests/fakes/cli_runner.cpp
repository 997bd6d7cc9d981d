#include "tests/fakes/cli_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

pid_t StartCli(const std::vector<std::string>& arguments, const std::string& out,
               const std::string& err) {
  std::string cli = CliPath(), emulator = CliEmulator();
  std::vector<const char*> argv;
  if (!emulator.empty()) argv.push_back(emulator.c_str());
  argv.push_back(cli.c_str());
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  argv.push_back(nullptr);
  pid_t child = fork();
  if (child == 0) {
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    execv(argv[0], const_cast<char* const*>(argv.data()));
    _exit(127);
  }
  return child;
}

bool HasOpenBelow(pid_t pid, const std::string& root, std::string_view suffix) {
  std::error_code error;
  std::string fds = "/proc/" + std::to_string(pid) + "/fd";
  for (const auto& entry : std::filesystem::directory_iterator(fds, error)) {
    std::string target = std::filesystem::read_symlink(entry.path(), error).string();
    if (target.size() > root.size() && target.starts_with(root) && target.ends_with(suffix)) {
      return true;
    }
  }
  return false;
}

}  // namespace kz::testing
