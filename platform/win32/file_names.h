#pragma once

#include <windows.h>

#include <string_view>

namespace kz {

// Gives the open file `file` the name `name` in the open folder `folder`: moved there out of its
// old name (kMove), or as one more hard link beside it (kLink). Never over an existing name. The
// system call itself, because it takes the folder by its handle (kernelbase's wrappers want
// paths, and Wine's reads a bare name as one below the current folder).
enum class NameAct { kMove, kLink };
bool GiveName(HANDLE folder, HANDLE file, std::wstring_view name, NameAct act);

}  // namespace kz
