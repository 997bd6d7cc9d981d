#pragma once

#include <string_view>

namespace kz::cli {

// Shell-style wildcard match of a whole name: `*` any run of characters, `?` one character (a
// whole UTF-8 sequence), `[abc]`, `[a-z]` and `[!abc]` one byte of a set; anything else, and a
// character after `\`, stands for itself. Case-sensitive.
bool GlobMatches(std::string_view pattern, std::string_view name);

}  // namespace kz::cli
