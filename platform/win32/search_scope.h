#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/win32/wine_mounts.h"

namespace kz {

// What a folder's volume is and how far its file ids can be trusted.
struct VolumeFacts {
  std::uint64_t volume = 0;
  bool wideIds = false;    // 128-bit ids (Windows 8 and later, where the file system has them)
  bool trustedIds = true;  // the ids tell files apart; else they are reported as unknown
};

// What holds for one search, made once as it begins and shared by all of its listings: under
// Wine the Unix mount table as it was then, and the mounts that lie inside the searched tree by
// their path below its root. Elsewhere it holds nothing, and each volume is asked of the system.
class SearchScope {
 public:
  // No search yet: no mount table.
  SearchScope() = default;
  // A search of the folder at `rootPath` (ending in '\\').
  explicit SearchScope(std::wstring_view rootPath);

  bool underWine() const { return underWine_; }
  // The facts of the volume a folder lies on, asked of the system (a search's root, a link).
  VolumeFacts FactsOf(HANDLE folder, std::wstring_view folderPath) const;
  // Under Wine: the volume of the mount whose point is `folderPath`, when one lies there below
  // the searched folder.
  std::optional<std::uint64_t> MountAt(std::wstring_view folderPath) const;

 private:
  bool underWine_ = WineMounts::UnderWine();
  WineMounts mounts_;
  std::wstring rootPath_;
  std::unordered_map<std::wstring, std::uint64_t> mountsBelowRoot_;  // by path below the root
};

}  // namespace kz
