#include "platform/win32/file_names.h"

#include <winternl.h>

#include <algorithm>
#include <vector>

namespace kz {

bool GiveName(HANDLE folder, HANDLE file, std::wstring_view name, NameAct act) {
  // FILE_RENAME_INFORMATION and FILE_LINK_INFORMATION have the same layout.
  std::vector<BYTE> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(WCHAR));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = FALSE;
  info->RootDirectory = folder;
  info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(WCHAR));
  std::copy(name.begin(), name.end(), info->FileName);
  constexpr auto kFileRenameInformation = static_cast<FILE_INFORMATION_CLASS>(10);
  constexpr auto kFileLinkInformation = static_cast<FILE_INFORMATION_CLASS>(11);
  IO_STATUS_BLOCK status{};
  return NtSetInformationFile(
             file, &status, info, static_cast<ULONG>(buffer.size()),
             act == NameAct::kMove ? kFileRenameInformation : kFileLinkInformation) >= 0;
}

}  // namespace kz
