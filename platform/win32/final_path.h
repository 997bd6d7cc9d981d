#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kz {

// The path the handle really stands for, every link and junction resolved; nothing when the
// system cannot tell.
std::optional<std::wstring> FinalPath(HANDLE handle);

}  // namespace kz
