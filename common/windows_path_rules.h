#pragma once

#include <string>
#include <string_view>

namespace kz {

// Windows path rules as text alone (no question to a file system), so that they are tested on
// every platform.

// The path in its extended-length form (\\?\X:\... or \\?\UNC\server\share\...), which Win32 path
// rules leave as it stands: "con.mp3" opens that file rather than the console device, and a
// folder "d." or "x " opens by its own name rather than as "d" or "x". For entries whose names
// came from a listing; other paths (relative ones, device paths) are returned unchanged.
std::wstring ExtendedPath(std::wstring_view path);

// True when Win32 path rules would open `path` as something else than the entries its names
// name: a component that is a device name (con, prn, aux, nul, com1 to com9, lpt1 to lpt9, with
// any extension) or that ends in a dot or a blank.
bool PathRulesRewrite(std::wstring_view path);

}  // namespace kz
