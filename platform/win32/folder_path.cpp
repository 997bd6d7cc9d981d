#include "platform/win32/folder_path.h"

#include "platform/win32/wide_text.h"

namespace kz {

std::wstring WithBackslash(std::wstring path) {
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}

std::wstring WideFolderPath(std::string_view directory) {
  return WithBackslash(Widen(directory));
}

}  // namespace kz
