#include "app/win32/folder_tree_shell.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>
#include <memory>

#include "platform/win32/wide_text.h"

namespace kz {

namespace {

constexpr const wchar_t* kComputerName = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr const wchar_t* kDocumentsName = L"::{450d8fba-ad25-11d0-98a8-0800361b1103}";

std::wstring_view Bounded(const wchar_t* text, std::size_t capacity) {
  return std::wstring_view(text, wcsnlen(text, capacity));
}

struct CoTaskMemFreer {
  void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

}  // namespace

ComApartment::ComApartment()
    : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}

ComApartment::~ComApartment() {
  if (SUCCEEDED(result_)) CoUninitialize();
}

ItemLook ComputerLook() {
  ItemLook look = ShellLook(kComputerName);
  if (look.text.empty()) look.text = "My Computer";
  return look;
}

SystemImages SmallSystemImages() {
  wchar_t windows[MAX_PATH] = {};
  UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  SHFILEINFOW info{};
  auto list = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(windows, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (!list) return {};
  return {list, info.iIcon};
}

std::optional<FolderTreeModel::Documents> DocumentsFolder() {
  ITEMIDLIST* raw = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &raw)) || !raw) {
    return std::nullopt;
  }
  std::unique_ptr<ITEMIDLIST, CoTaskMemFreer> list(raw);
  wchar_t path[MAX_PATH] = {};  // the size the call requires
  if (!SHGetPathFromIDListW(list.get(), path)) return std::nullopt;
  FolderTreeModel::Documents documents;
  documents.path = Narrow(Bounded(path, MAX_PATH));
  if (documents.path.empty()) return std::nullopt;
  documents.look = ShellLook(kDocumentsName);
  if (documents.look.text.empty()) documents.look = ShellLook(path);
  return documents;
}

UniqueIcon LargeDriveIcon(char letter) {
  CriticalErrorsSuppressed quiet;
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(DriveRoot(letter).c_str(), 0, &info, sizeof(info),
                      SHGFI_ICON | SHGFI_LARGEICON)) {
    return UniqueIcon();
  }
  return UniqueIcon(info.hIcon);
}

}  // namespace kz
