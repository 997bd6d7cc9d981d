#pragma once

#include <string>
#include <string_view>

namespace kz {

// The program keeps its texts in UTF-8 and talks to Windows through the W functions, so names
// outside the user's ANSI code page are neither turned into "?" nor mangled.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace kz
