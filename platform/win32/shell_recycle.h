#pragma once

#include <string>

namespace kz {

// The shell's moves of one file to the Recycle Bin of its drive. `path` is a drive or UNC path of
// fewer than 260 characters that Win32 path rules leave as it stands: the shell takes no other.

enum class ShellRecycle { kRecycled, kNotRecycled, kNoFileOperation };

// Through IFileOperation (COM on this thread), which is told to recycle and refuses each delete
// it would do for good instead (a drive without a bin, a file too large for it). kRecycled only
// when the shell reports the item created in the bin; kNoFileOperation when IFileOperation
// cannot be had or answers that it is not implemented (Wine 8), and nothing was done.
ShellRecycle RecycleByFileOperation(const std::wstring& path);

// Through SHFileOperationW's delete with undo and no user interface. It deletes the file for good
// where the bin cannot take it, so it is called only once the bin is known to take it.
bool DeleteWithUndo(const std::wstring& path);

}  // namespace kz
