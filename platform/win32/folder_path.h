#pragma once

#include <string>
#include <string_view>

namespace kz {

// Every folder path of the Windows side ends in one backslash, so that a name appended to it is
// a path and a folder's path is a prefix of those below it. An empty path becomes "\".
std::wstring WithBackslash(std::wstring path);
// A folder path of the seam (UTF-8) as the W functions take it, ending in a backslash.
std::wstring WideFolderPath(std::string_view directory);

}  // namespace kz
