#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_identity.h"

namespace kz {

// Wine's Recycle Bin: the Unix user's freedesktop trash, $XDG_DATA_HOME/Trash (by default
// ~/.local/share/Trash), into which the shell's delete with undo renames a file, noting where it
// came from in info\NAME.trashinfo beside files\NAME. Where the trash cannot take the file (no
// usable folders, another file system, which a rename cannot reach and a failed copy ends in a
// delete), that same call deletes it for good and still reports success; so the program asks the
// trash before the call and looks into it afterwards.
class WineTrash {
 public:
  // The trash that Wine's shell uses in this process; nothing when it has no Unix place.
  static std::optional<WineTrash> OfThisProcess();

  // Whether a rename can take the open file into the trash: its folders are folders (made
  // where they are missing, as the shell would make them) and lie on the file's mount, which a
  // hard link of the file into files\ proves.
  bool CanTake(HANDLE file) const;
  // Whether the trash holds the file `id` (named `name` before) with an info file whose Path=
  // is `unixPath`: under its own name, or, where that was taken, the name with "-" and eight hex
  // digits after it.
  bool Holds(std::wstring_view name, const ObjectId& id, bool wideIds,
             std::string_view unixPath) const;

 private:
  explicit WineTrash(std::wstring root) : root_(std::move(root)) {}
  bool HoldsAs(const std::wstring& entry, const ObjectId& id, bool wideIds,
               std::string_view unixPath) const;

  std::wstring root_;  // "\\?\unix\...\Trash"
};

}  // namespace kz
