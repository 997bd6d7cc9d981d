// Which volume a listed folder lies on: asked of the system, taken from the folder listed one
// depth up, or, under Wine, found in the mount table by the folder's path.

#include "platform/win32/file_ids.h"
#include "platform/win32/reparse_points.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_file_system.h"

namespace kz {

WinFileSystem::VolumeFacts WinFileSystem::FactsOf(HANDLE folder, std::wstring_view folderPath) {
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

// A plain subfolder of the folder listed one depth up lies on that folder's volume: only a
// link, a junction or a mount point (all reparse points on Windows) leads to another one. Under
// Wine a mount point is a plain folder, found by its path in the mount table.
std::optional<WinFileSystem::VolumeFacts> WinFileSystem::InheritedFacts(
    std::int32_t depth, std::wstring_view folderPath) {
  Listing* parent = At(depth - 1);
  if (!parent || !parent->at || EntryLeadsElsewhere(*parent) ||
      !(parent->entry.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  std::wstring_view name = parent->entry.name;
  if (folderPath.size() != parent->path.size() + name.size() + 1 ||
      !folderPath.starts_with(parent->path) ||
      folderPath.substr(parent->path.size(), name.size()) != name) {
    return std::nullopt;
  }
  VolumeFacts facts = parent->facts;
  if (std::optional<std::uint64_t> mount = MountAt(folderPath)) facts.volume = *mount;
  return facts;
}

// Wine shows a Unix mount point as a reparse point without a tag, as it shows a link to a
// folder; a mount point below the search's root is a folder of the tree all the same.
bool WinFileSystem::EntryLeadsElsewhere(const Listing& listing) const {
  const EntryFields& entry = listing.entry;
  if (!LeadsElsewhere(entry.attributes, entry.reparseTag)) return false;
  return !MountOfEntry(listing);
}

std::optional<std::uint64_t> WinFileSystem::MountOfEntry(const Listing& listing) const {
  if (mountsBelowRoot_.empty() || !(listing.entry.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  std::wstring subfolder = listing.path;
  subfolder.append(listing.entry.name).push_back(L'\\');
  return MountAt(subfolder);
}

std::optional<std::uint64_t> WinFileSystem::MountAt(std::wstring_view folderPath) const {
  if (mountsBelowRoot_.empty() || !folderPath.starts_with(rootPath_)) return std::nullopt;
  auto mount = mountsBelowRoot_.find(std::wstring(folderPath.substr(rootPath_.size())));
  if (mount == mountsBelowRoot_.end()) return std::nullopt;
  return mount->second;
}

void WinFileSystem::TakeMountsBelow(std::wstring_view rootPath) {
  rootPath_ = rootPath;
  mountsBelowRoot_.clear();
  if (!mounts_.Load()) return;
  for (const Mount& mount : mounts_.Below(WineMounts::CanonicalPath(rootPath))) {
    mountsBelowRoot_.emplace(Widen(mount.point), mount.device);
  }
}

}  // namespace kz
