#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app/tree/tree_item.h"

namespace kz {

// The classic platform limit for a search path ("directory\*.*"), in UTF-16 units.
inline constexpr std::size_t kTreePathLimit = 260;

// The path of an item, built from the item up to the root: "" for the root, "D:\" for drive D,
// "D:\Audio\Pop\" for its folder Audio\Pop.
std::string PathOf(const TreeItem& item);

std::string DrivePathPart(char letter, char separator);
std::string FolderPathPart(std::string_view name, char separator);
// The documents folder's path, with a separator added when it does not end with one.
std::string DocumentsPathPart(std::string_view path, char separator);

// Whether the folder `directory` (ending in a separator) can be listed within the path limit.
// Counts UTF-16 units, as the platform does, not UTF-8 bytes.
bool FitsSearchPathLimit(std::string_view directory);

}  // namespace kz
