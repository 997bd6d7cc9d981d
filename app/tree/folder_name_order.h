#pragma once

#include <string_view>

namespace kz {

// The order of folder items under their parent, as a reader of the name's language expects:
// letters compare without regard to case, and a letter with an accent next to its base letter
// (alpha, Ärger, Beta, Zebra; альфа, Бета; ά next to α). Letters that are letters of their own
// (ł after l) follow their base letter. Names equal so far order by their accents, then by the
// exact bytes, so that the order is total and fixed.
bool FolderNameLess(std::string_view left, std::string_view right);

}  // namespace kz
