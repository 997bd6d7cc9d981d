#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace kz::testing {

// What one run of the built klangzwilling-cli printed, and how it ended.
struct CliRun {
  int status = -1;  // the exit code; -1 when the process did not exit normally
  std::string out;
  std::string err;
};

// The text quoted for the POSIX shell, whatever characters it holds.
std::string ShellQuoted(const std::string& text);

// The built command-line program (named by KZ_CLI), or empty when the test run names none.
std::string CliPath();
// The emulator that starts the CLI where it is built for another machine (KZ_CLI_EMULATOR, e.g.
// qemu-i386-static), "" where it runs by itself.
std::string CliEmulator();
// Shell text that starts `cli`, through the emulator where there is one.
std::string CliCommand(const std::string& cli = CliPath());

// Runs `prefix CLI arguments` through the shell in `directory`, with no input; `arguments` is
// shell text (quote paths with ShellQuoted). Its output is collected in files in `scratch`.
CliRun RunCli(const std::string& arguments, const std::string& scratch,
              const std::string& directory = "/", const std::string& prefix = "",
              const std::string& cli = CliPath());

// Starts the CLI with `arguments` (through the emulator where there is one) without waiting for
// it, its standard output into the file `out` and its errors into `err`; the child's pid.
pid_t StartCli(const std::vector<std::string>& arguments, const std::string& out,
               const std::string& err);
// True while `pid` has something open whose path lies strictly below `root` and ends in
// `suffix`: a listing of a subfolder, or with ".mp3" a file being read.
bool HasOpenBelow(pid_t pid, const std::string& root, std::string_view suffix = "");

}  // namespace kz::testing
