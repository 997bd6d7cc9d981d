// The folder tree's questions, through FindFirstFileW: names and kinds are all it needs.

#include "platform/win32/folder_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_file_system.h"
#include "platform/win32/win_handles.h"

namespace kz {

bool WinFileSystem::ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) {
  entries.clear();
  std::wstring search = WideFolderPath(directory) + L"*.*";
  if (search.size() >= kPathLimit) return false;
  WIN32_FIND_DATAW data{};
  UniqueFind find(FindFirstFileW(search.c_str(), &data));
  if (!find) return false;
  do {
    std::wstring_view name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back(
        FolderEntry{Narrow(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(find.get(), &data));
  // Only ERROR_NO_MORE_FILES ends the entries; after any other error the folder is one that
  // cannot be listed, not one with fewer entries.
  if (GetLastError() != ERROR_NO_MORE_FILES) {
    entries.clear();
    return false;
  }
  return true;
}

bool WinFileSystem::HasSubfolder(std::string_view directory) {
  std::wstring search = WideFolderPath(directory) + L"*.*";
  if (search.size() >= kPathLimit) return false;
  WIN32_FIND_DATAW data{};
  // Only names are needed: the basic level and the larger fetch make a big folder cheaper.
  UniqueFind find(FindFirstFileExW(search.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return false;
  bool found = false;
  do {
    std::wstring_view name = data.cFileName;
    found =
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." && name != L"..";
  } while (!found && FindNextFileW(find.get(), &data));
  // A listing broken off by an error before a subfolder came answers false, as a folder that
  // cannot be listed does.
  return found;
}

}  // namespace kz
