#include "common/windows_path_rules.h"

namespace kz {

std::wstring ExtendedPath(std::wstring_view path) {
  if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return std::wstring(path);
  if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + std::wstring(path.substr(2));
  bool drivePath = path.size() >= 3 && path[1] == L':' && path[2] == L'\\' &&
                   ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
  return drivePath ? L"\\\\?\\" + std::wstring(path) : std::wstring(path);
}

namespace {

bool IsDeviceName(std::wstring_view component) {
  std::wstring_view stem = component.substr(0, component.find(L'.'));
  while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
  auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; };
  std::wstring name;
  for (wchar_t c : stem) name.push_back(lower(c));
  if (name == L"con" || name == L"prn" || name == L"aux" || name == L"nul") return true;
  return name.size() == 4 && (name.starts_with(L"com") || name.starts_with(L"lpt")) &&
         name[3] >= L'1' && name[3] <= L'9';
}

}  // namespace

bool PathRulesRewrite(std::wstring_view path) {
  if (path.starts_with(L"\\\\?\\")) return false;
  std::size_t start = path.starts_with(L"\\\\") ? 2 : 0;
  while (start < path.size()) {
    std::size_t end = path.find(L'\\', start);
    std::wstring_view component = path.substr(start, end - start);
    if (!component.empty() && component != L"." && component != L".." &&
        (IsDeviceName(component) || component.back() == L'.' || component.back() == L' ')) {
      return true;
    }
    if (end == std::wstring_view::npos) break;
    start = end + 1;
  }
  return false;
}

}  // namespace kz
