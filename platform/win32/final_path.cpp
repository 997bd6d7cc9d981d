#include "platform/win32/final_path.h"

namespace kz {

// One call where the path fits the first buffer, which it nearly always does; a second with the
// length the first asked for (terminator included), so no path is too long for it.
std::optional<std::wstring> FinalPath(HANDLE handle) {
  std::wstring path(MAX_PATH + 1, L'\0');
  DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                           FILE_NAME_NORMALIZED);
  if (length >= path.size()) {
    path.assign(length, L'\0');
    length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                       FILE_NAME_NORMALIZED);
  }
  if (length == 0 || length >= path.size()) return std::nullopt;
  path.resize(length);
  return path;
}

}  // namespace kz
