#include "platform/win32/wine_mounts.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "common/windows_path_rules.h"
#include "platform/win32/folder_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_handles.h"

namespace kz {
namespace {

// Wine's path services, exported by its kernel32 and absent on Windows. Their results are
// allocated on the process heap.
using ToUnixName = char*(CDECL*)(LPCWSTR);
using ToDosName = WCHAR*(CDECL*)(LPCSTR);

struct HeapFreer {
  void operator()(void* memory) const { HeapFree(GetProcessHeap(), 0, memory); }
};

template <class Function>
Function WineExport(const char* name) {
  HMODULE kernel = GetModuleHandleW(L"kernel32");
  return kernel ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel, name)))
                : nullptr;
}

std::wstring DosName(const char* unixPath) {
  static const ToDosName toDos = WineExport<ToDosName>("wine_get_dos_file_name");
  if (!toDos) return {};
  std::unique_ptr<WCHAR, HeapFreer> dos(toDos(unixPath));
  return dos ? std::wstring(dos.get()) : std::wstring();
}

std::string FolderText(std::wstring path) {
  return path.empty() ? std::string() : Narrow(WithBackslash(std::move(path)));
}

std::string ReadWholeFile(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  // The kernel's tables report no size: read until the end.
  std::string text;
  char chunk[16384];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
    text.append(chunk, got);
  return text;
}

constexpr std::uint64_t kMountVolume = std::uint64_t{1} << 63;

}  // namespace

bool WineMounts::UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool WineMounts::Load() {
  table_ = MountTable();
  if (!UnderWine()) return false;
  std::wstring tablePath = DosName("/proc/self/mountinfo");
  if (tablePath.empty()) return false;
  for (Mount& mount : ParseMountInfo(ReadWholeFile(tablePath))) {
    // A mount point that no drive reaches is no folder of a search, but it may hold a drive.
    std::string shown = FolderText(DosName(mount.point.c_str()));
    if (shown.starts_with("\\\\?\\")) shown.clear();
    std::string point = std::move(mount.point);
    if (point.empty() || point.back() != '/') point.push_back('/');
    table_.Add(std::move(point), std::move(shown), mount.device);
  }
  return loaded();
}

std::string WineMounts::CanonicalPath(std::wstring_view folder) {
  static const ToUnixName toUnix = WineExport<ToUnixName>("wine_get_unix_file_name");
  if (!toUnix) return {};
  // In the extended form, which Win32 path rules leave as it stands: "d." is not "d".
  std::unique_ptr<char, HeapFreer> unixPath(toUnix(ExtendedPath(folder).c_str()));
  return unixPath ? FolderText(DosName(unixPath.get())) : std::string();
}

std::wstring WineMounts::UnixNtPath(std::wstring_view folder) {
  static const ToUnixName toUnix = WineExport<ToUnixName>("wine_get_unix_file_name");
  if (!toUnix) return {};
  // In the extended form, which Win32 path rules leave as it stands: "d." is not "d".
  std::unique_ptr<char, HeapFreer> unixPath(toUnix(ExtendedPath(folder).c_str()));
  if (!unixPath || unixPath.get()[0] != '/') return {};
  std::wstring path = L"\\??\\unix" + Widen(unixPath.get());
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return WithBackslash(std::move(path));
}

std::string WineMounts::UnixPath(std::wstring_view path) {
  static const ToUnixName toUnix = WineExport<ToUnixName>("wine_get_unix_file_name");
  if (!toUnix) return {};
  std::unique_ptr<char, HeapFreer> unixPath(toUnix(ExtendedPath(path).c_str()));
  return unixPath && unixPath.get()[0] == '/' ? std::string(unixPath.get()) : std::string();
}

std::optional<std::uint64_t> WineMounts::VolumeOf(std::string_view canonical) const {
  std::optional<std::uint64_t> device = table_.DeviceOf(canonical);
  if (!device) return std::nullopt;
  return kMountVolume | *device;
}

std::vector<Mount> WineMounts::Below(std::string_view canonical) const {
  std::vector<Mount> below = table_.Below(canonical);
  for (Mount& mount : below) mount.device |= kMountVolume;
  return below;
}

}  // namespace kz
