// Which volume a listed folder lies on: asked of the system or, under Wine, found in the mount
// table by the folder's path.

#include "platform/win32/search_scope.h"

#include "platform/win32/file_ids.h"
#include "platform/win32/wide_text.h"

namespace kz {

SearchScope::SearchScope(std::wstring_view rootPath) : rootPath_(rootPath) {
  if (!underWine_ || !mounts_.Load()) return;
  for (const Mount& mount : mounts_.Below(WineMounts::CanonicalPath(rootPath))) {
    mountsBelowRoot_.emplace(Widen(mount.point), mount.device);
  }
}

VolumeFacts SearchScope::FactsOf(HANDLE folder, std::wstring_view folderPath) const {
  VolumeFacts facts;
  // Under Wine the volume comes from the Unix mount table: Wine's serial is the same for every
  // mount below a drive's root and 0 for a tmpfs. Its ids are Unix inode numbers, 64 bits,
  // unique on each mount.
  if (underWine_ && mounts_.loaded()) {
    if (std::optional<std::uint64_t> volume =
            mounts_.VolumeOf(WineMounts::CanonicalPath(folderPath))) {
      facts.volume = *volume;
      return facts;
    }
  }
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileInformationByHandle(folder, &information)) {
    facts.volume = information.dwVolumeSerialNumber;
  }
  if (!underWine_) {
    FileIdInfo wide{};
    facts.wideIds =
        GetFileInformationByHandleEx(folder, info_class::kFileId, &wide, sizeof wide) != FALSE;
    facts.trustedIds = VolumeHasTrustedIds(folder);
  }
  return facts;
}

std::optional<std::uint64_t> SearchScope::MountAt(std::wstring_view folderPath) const {
  if (mountsBelowRoot_.empty() || !folderPath.starts_with(rootPath_)) return std::nullopt;
  auto mount = mountsBelowRoot_.find(std::wstring(folderPath.substr(rootPath_.size())));
  if (mount == mountsBelowRoot_.end()) return std::nullopt;
  return mount->second;
}

}  // namespace kz
