#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kz {

// The original path that an info file of a freedesktop trash (Trash/info/NAME.trashinfo) names
// for the entry Trash/files/NAME: the Path= key of its [Trash Info] group, with its %XX escapes
// undone. Nothing when the text names none.
std::optional<std::string> TrashInfoPath(std::string_view text);

}  // namespace kz
