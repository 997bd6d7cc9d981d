#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "platform/command_line.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"

namespace kz {
namespace {

std::atomic<int> pendingInterrupt{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

extern "C" void NoteInterrupt(int) {
  pendingInterrupt.store(1);
}

}  // namespace

std::unique_ptr<FileSystem> MakeSystemFileSystem() {
  // The detection may ask on every core.
  return std::make_unique<PosixFileSystem>(std::thread::hardware_concurrency());
}

std::unique_ptr<Clock> MakeSystemClock() {
  return std::make_unique<PosixClock>();
}

void CatchFirstInterrupt() {
  struct sigaction action {};
  action.sa_handler = NoteInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;  // the second Ctrl+C meets the default action again
  sigaction(SIGINT, &action, nullptr);
}

bool TakeInterrupt() {
  return pendingInterrupt.exchange(0) != 0;
}

bool ErrorStreamIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

void UseBinaryStandardOutput() {}  // POSIX streams never translate line ends

std::optional<std::string> AbsoluteFolderPath(std::string_view folder) {
  if (folder.empty()) return std::nullopt;
  char* resolved = realpath(std::string(folder).c_str(), nullptr);
  if (!resolved) return std::nullopt;
  std::string path(resolved);
  std::free(resolved);
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
  if (path.back() != '/') path += '/';
  return path;
}

}  // namespace kz
