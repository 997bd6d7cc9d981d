#include "platform/win32/wine_trash.h"

#include <algorithm>

#include "common/trash_info.h"
#include "platform/win32/file_ids.h"
#include "platform/win32/file_names.h"
#include "platform/win32/folder_path.h"
#include "platform/win32/win_handles.h"

namespace kz {

namespace {

std::wstring Variable(const wchar_t* name) {
  DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
  if (length == 0) return {};
  std::wstring value(length, L'\0');
  length = GetEnvironmentVariableW(name, value.data(), length);
  value.resize(length < value.size() ? length : 0);
  return value;
}

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// An info file is a few hundred bytes; a larger one is none that Wine wrote.
std::string SmallFileText(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return {};
  std::string text(65536, '\0');
  DWORD got = 0;
  if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) return {};
  text.resize(got);
  return text;
}

}  // namespace

std::optional<WineTrash> WineTrash::OfThisProcess() {
  // As Wine's shell finds it: $XDG_DATA_HOME when it is an absolute Unix path, else below the
  // home folder, which Wine names in WINEHOMEDIR as an NT path ("\??\Z:\home\...").
  std::wstring root;
  std::wstring dataHome = Variable(L"XDG_DATA_HOME");
  std::wstring home = Variable(L"WINEHOMEDIR");
  if (dataHome.starts_with(L'/')) {
    root = L"\\\\?\\unix" + dataHome;
  } else if (home.starts_with(L"\\??\\")) {
    root = L"\\\\?\\" + home.substr(4) + L"/.local/share";
  } else {
    return std::nullopt;
  }
  std::replace(root.begin(), root.end(), L'/', L'\\');
  return WineTrash(WithBackslash(std::move(root)) + L"Trash");
}

bool WineTrash::CanTake(HANDLE file) const {
  for (const std::wstring& folder : {root_, root_ + L"\\files", root_ + L"\\info"}) {
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!IsFolder(folder)) return false;
  }
  UniqueFile files(CreateFileW((root_ + L"\\files").c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  static LONG probes = 0;
  std::wstring probe = L".klangzwilling-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(InterlockedIncrement(&probes)) + L".probe";
  // A link, like the rename, cannot cross from one mount to another.
  if (!files || !GiveName(files.get(), file, probe, NameAct::kLink)) return false;
  DeleteFileW((root_ + L"\\files\\" + probe).c_str());
  return true;
}

bool WineTrash::Holds(std::wstring_view name, const ObjectId& id, bool wideIds,
                      std::string_view unixPath) const {
  std::wstring entry(name);
  if (HoldsAs(entry, id, wideIds, unixPath)) return true;
  WIN32_FIND_DATAW found{};
  UniqueFind find(FindFirstFileW((root_ + L"\\info\\" + entry + L"-*.trashinfo").c_str(), &found));
  if (!find) return false;
  constexpr std::size_t kSuffix = std::wstring_view(L".trashinfo").size();
  do {
    std::wstring info = found.cFileName;
    if (info.size() == entry.size() + 1 + 8 + kSuffix &&
        HoldsAs(info.substr(0, info.size() - kSuffix), id, wideIds, unixPath)) {
      return true;
    }
  } while (FindNextFileW(find.get(), &found));
  return false;
}

bool WineTrash::HoldsAs(const std::wstring& entry, const ObjectId& id, bool wideIds,
                        std::string_view unixPath) const {
  UniqueFile held(CreateFileW((root_ + L"\\files\\" + entry).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!held || !id.known()) return false;
  std::optional<ObjectId> heldId = IdOfHandle(held.get(), id.volume, wideIds);
  if (!heldId || *heldId != id) return false;
  std::optional<std::string> origin =
      TrashInfoPath(SmallFileText(root_ + L"\\info\\" + entry + L".trashinfo"));
  return origin && *origin == unixPath;
}

}  // namespace kz
