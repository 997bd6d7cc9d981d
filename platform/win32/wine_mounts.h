#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/mount_table.h"

namespace kz {

// The Unix mounts as Wine's paths show them. Under Wine a mount point is a plain folder to a
// Windows program: its folders take the parent's volume serial, and mount roots share their file
// numbers (1 on tmpfs, 2 on ext4), so a second mount in a tree would look like a folder seen
// before. Wine's own volume answer does not tell them apart either (serial 0 for every tmpfs, at
// about 1 ms a call). The Unix mount table does: read once per search, it places every folder on
// its mount by path, with no question to the file system per folder.
class WineMounts {
 public:
  // Whether the program runs under Wine at all.
  static bool UnderWine();

  // Reads the mount table; false (and an empty table) where it cannot be read.
  bool Load();
  bool loaded() const { return !table_.empty(); }

  // The folder's path as Wine would give it back for its Unix path: the same text for every
  // drive letter and link that leads to the folder's Unix path, ending in '\'. Empty when the
  // path has no Unix name.
  static std::string CanonicalPath(std::wstring_view folder);
  // The folder's Unix path in the form Wine's NT paths give it ("\??\unix\home\..."),
  // ending in '\'. Looked up by that form, a name that is not there costs Wine one stat; by its
  // drive path, a search of the whole folder for the name in other letter case. Empty when the
  // path has no Unix name.
  static std::wstring UnixNtPath(std::wstring_view folder);
  // The Unix path of a file as Wine gives it for the drive path `path` (the text Wine's shell
  // writes into the trash as the file's origin). Empty when the path has no Unix name.
  static std::string UnixPath(std::wstring_view path);
  // The volume of a folder at `canonical` (from CanonicalPath): the device of the mount it lies
  // on, as a number no volume serial has. A search's root gets its mount's too, so that a bind
  // mount below it, the same file system seen again, carries the same volume as the root.
  std::optional<std::uint64_t> VolumeOf(std::string_view canonical) const;
  // The mount points below a folder, relative to it, with their volumes.
  std::vector<Mount> Below(std::string_view canonical) const;

 private:
  MountTable table_;
};

}  // namespace kz
