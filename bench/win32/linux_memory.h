#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

// Memory figures of Windows programs under Wine, read from the Linux processes that Wine runs
// them in (through the Z: drive, Wine's view of the Linux root): Wine reports no memory counters
// for other processes.
namespace kz::bench {

// A whole file; empty when it cannot be read.
inline std::string ReadLinuxFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

// The anonymous resident memory (heaps) in bytes of the process whose /proc folder is given;
// -1 when it cannot be read. (Z:\\proc\\self\\ is Wine's server, which opens the files.)
inline long long HeapBytes(const std::wstring& procFolder) {
  std::string status = ReadLinuxFile(procFolder + L"status");
  std::size_t at = status.find("RssAnon:");
  return at == std::string::npos ? -1 : std::atoll(status.c_str() + at + 8) * 1024;
}

// The largest heap among the processes whose command line holds `name` and not `unless`.
inline long long HeapBytesOfProgram(const std::string& name, const std::string& unless) {
  WIN32_FIND_DATAW entry{};
  HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return -1;
  long long bytes = -1;
  do {
    if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
    std::wstring folder = std::wstring(L"Z:\\proc\\") + entry.cFileName + L"\\";
    std::string command = ReadLinuxFile(folder + L"cmdline");
    if (command.find(name) == std::string::npos || command.find(unless) != std::string::npos) {
      continue;
    }
    bytes = std::max(bytes, HeapBytes(folder));
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return bytes;
}

}  // namespace kz::bench
