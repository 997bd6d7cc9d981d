#pragma once

#include <string_view>

namespace kz {

// The order of folder items under their parent: without regard to case (alpha, Beta, gamma),
// for ASCII and for the Latin-1 letters (Ärger next to ärger); names equal but for case keep a
// fixed byte-wise order among themselves.
bool FolderNameLess(std::string_view left, std::string_view right);

}  // namespace kz
