#include <winternl.h>

#include <type_traits>

#include "common/windows_path_rules.h"
#include "platform/win32/file_ids.h"
#include "platform/win32/folder_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_file_system.h"
#include "platform/win32/win_handles.h"

namespace kz {
namespace {

constexpr std::size_t kBatchBytes = 64 * 1024;

// Symbolic links and junctions lead elsewhere; other reparse points (cloud placeholders,
// deduplicated files) hold their own contents and are plain files and folders to the scan. Wine
// marks a Unix symlink to a folder as a reparse point without a tag.
bool LeadsElsewhere(DWORD attributes, DWORD reparseTag) {
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return reparseTag == 0 || IsReparseTagNameSurrogate(reparseTag);
}

// The folder's file index alone. GetFileInformationByHandle also asks for the volume serial,
// which costs Wine about 0.6 ms a call (it asks its mount manager) and would triple the time of
// a scan under Wine; the index comes from the file itself.
std::optional<std::uint64_t> FolderIndex(HANDLE folder) {
  FILE_STANDARD_INFO standard{};
  if (!GetFileInformationByHandleEx(folder, FileStandardInfo, &standard, sizeof(standard)) ||
      !standard.Directory) {
    return std::nullopt;
  }
  constexpr auto kFileInternalInformation = static_cast<FILE_INFORMATION_CLASS>(6);
  IO_STATUS_BLOCK status{};
  LARGE_INTEGER index{};
  if (NtQueryInformationFile(folder, &status, &index, sizeof(index), kFileInternalInformation) !=
      0) {
    return std::nullopt;
  }
  return static_cast<std::uint64_t>(index.QuadPart);
}

// The entry at `at` of a FileIdExtdDirectoryInfo batch (128-bit ids) or of a
// FileIdBothDirectoryInfo one, which puts a reparse point's tag where the extended-attribute
// size would be.
template <class Info>
void Read(const char* at, WinFileSystem::EntryFields& entry) {
  const auto& info = *reinterpret_cast<const Info*>(at);
  entry.attributes = info.FileAttributes;
  entry.lastWrite = info.LastWriteTime.QuadPart;
  entry.endOfFile = info.EndOfFile.QuadPart;
  entry.name = std::wstring_view(info.FileName, info.FileNameLength / sizeof(WCHAR));
  entry.next = info.NextEntryOffset;
  if constexpr (std::is_same_v<Info, FileIdExtdDirInfo>) {
    entry.reparseTag = info.ReparsePointTag;
    SplitFileId(info.FileId, entry.idLow, entry.idHigh);
  } else {
    entry.reparseTag = info.EaSize;
    entry.idLow = static_cast<std::uint64_t>(info.FileId.QuadPart);
    entry.idHigh = 0;
  }
  if (!(entry.attributes & FILE_ATTRIBUTE_REPARSE_POINT)) entry.reparseTag = 0;
}

}  // namespace

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

void WinFileSystem::Listing::Close() {
  folder.reset();
  at = nullptr;
}

WinFileSystem::Listing* WinFileSystem::At(std::int32_t depth) {
  if (depth < 0 || static_cast<std::size_t>(depth) >= listings_.size()) return nullptr;
  return &listings_[static_cast<std::size_t>(depth)];
}

bool WinFileSystem::OpenListing(std::int32_t depth, std::string_view directory,
                                std::string_view pattern) {
  if (depth < 0) return false;
  if (static_cast<std::size_t>(depth) >= listings_.size()) listings_.resize(depth + 1);
  Listing& listing = listings_[static_cast<std::size_t>(depth)];
  listing.Close();
  listing.failed = false;
  std::wstring folderPath = WideFolderPath(directory);
  // The classic path limit applies to the search path (folder and pattern): a longer one yields
  // no entries. The pattern is always "*.*", which matches every name.
  if (folderPath.size() + Widen(pattern).size() >= kPathLimit) return false;
  listing.folder.reset(CreateFileW(ExtendedPath(folderPath).c_str(),
                                   FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!listing.folder) return false;
  if (depth == 0 && underWine_) {
    // A search begins: the mounts as they are now, and those that lie inside the searched tree.
    rootPath_ = folderPath;
    mountsBelowRoot_.clear();
    if (mounts_.Load()) {
      for (const Mount& mount : mounts_.Below(WineMounts::CanonicalPath(folderPath))) {
        mountsBelowRoot_.emplace(Widen(mount.point), mount.device);
      }
    }
  }
  std::optional<VolumeFacts> inherited = InheritedFacts(depth, folderPath);
  listing.facts = inherited ? *inherited : FactsOf(listing.folder.get(), folderPath);
  std::optional<std::uint64_t> index;
  if (listing.facts.wideIds) {
    if (std::optional<ObjectId> id = IdOfHandle(listing.folder.get(), listing.facts.volume, true)) {
      listing.folderId = *id;
      index = id->file;
    }
  } else if ((index = FolderIndex(listing.folder.get()))) {
    listing.folderId = ObjectId{listing.facts.volume, *index, 0};
  }
  if (!index) {
    listing.Close();
    return false;
  }
  listing.folderId = TrustedOrUnknown(listing.folderId, listing.facts.trustedIds);
  listing.path = folderPath;
  if (listing.batch.empty()) listing.batch.resize(kBatchBytes / sizeof(LONGLONG));
  return true;
}

bool WinFileSystem::ReadBatch(Listing& listing, bool wide) {
  FILE_INFO_BY_HANDLE_CLASS kind =
      wide ? info_class::kFileIdExtdDirectory : FileIdBothDirectoryInfo;
  if (!GetFileInformationByHandleEx(listing.folder.get(), kind, listing.batch.data(),
                                    static_cast<DWORD>(kBatchBytes))) {
    return false;
  }
  listing.at = reinterpret_cast<const char*>(listing.batch.data());
  return true;
}

void WinFileSystem::TakeCurrent(Listing& listing) {
  if (listing.facts.wideIds) {
    Read<FileIdExtdDirInfo>(listing.at, listing.entry);
  } else {
    Read<FILE_ID_BOTH_DIR_INFO>(listing.at, listing.entry);
  }
  listing.name = Narrow(listing.entry.name);
}

bool WinFileSystem::NextEntry(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || !listing->folder) return false;
  if (listing->at && listing->entry.next != 0) {
    listing->at += listing->entry.next;
    TakeCurrent(*listing);
    return true;
  }
  bool firstBatch = listing->at == nullptr;
  bool read = ReadBatch(*listing, listing->facts.wideIds);
  DWORD error = read ? ERROR_SUCCESS : GetLastError();
  // A volume that has 128-bit ids may still refuse them in listings (Wine answers error 87):
  // the 64-bit form then, which NTFS fills with the same numbers.
  if (!read && firstBatch && listing->facts.wideIds && error != ERROR_NO_MORE_FILES &&
      error != ERROR_FILE_NOT_FOUND) {
    listing->facts.wideIds = false;
    read = ReadBatch(*listing, false);
    error = read ? ERROR_SUCCESS : GetLastError();
  }
  if (!read) {
    // ERROR_NO_MORE_FILES is the end of the entries; a folder without any at all (a volume's
    // root has no "." or "..") answers the first query with ERROR_FILE_NOT_FOUND. Any other
    // error (a network share gone, a volume taken out) breaks the listing off.
    listing->failed =
        error != ERROR_NO_MORE_FILES && !(firstBatch && error == ERROR_FILE_NOT_FOUND);
    listing->Close();  // released as soon as it has delivered its last entry
    return false;
  }
  TakeCurrent(*listing);
  return true;
}

bool WinFileSystem::ListingFailed(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing && listing->failed;
}

std::string_view WinFileSystem::EntryName(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing ? std::string_view(listing->name) : std::string_view();
}

std::int32_t WinFileSystem::EntryKind(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing && listing->at && (listing->entry.attributes & FILE_ATTRIBUTE_DIRECTORY) ? 2 : 1;
}

bool WinFileSystem::EntryIsLink(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing && listing->at && EntryLeadsElsewhere(*listing);
}

std::int64_t WinFileSystem::EntrySize(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || !listing->at) return -1;
  if (listing->entry.attributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
  // The listing reports a link's own size, not its target's; FileSize has to answer that.
  if (EntryLeadsElsewhere(*listing)) return -1;
  return listing->entry.endOfFile;
}

std::optional<FileIdentity> WinFileSystem::EntryIdentity(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || !listing->at) return std::nullopt;
  const EntryFields& entry = listing->entry;
  FileIdentity identity;
  identity.file = TrustedOrUnknown(ObjectId{listing->folderId.volume, entry.idLow, entry.idHigh},
                                   listing->facts.trustedIds);
  // A mount point's entry is on the mounted volume (Wine gives it no number).
  if (std::optional<std::uint64_t> mount = MountOfEntry(*listing)) identity.file.volume = *mount;
  identity.folder = listing->folderId;
  identity.lastWrite = entry.lastWrite;
  identity.throughLink = EntryLeadsElsewhere(*listing);
  return identity;
}

std::optional<ObjectId> WinFileSystem::ListingFolder(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || !listing->folder) return std::nullopt;
  return listing->folderId;
}

void WinFileSystem::CloseListing(std::int32_t depth) {
  if (Listing* listing = At(depth)) listing->Close();
}

bool WinFileSystem::ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) {
  entries.clear();
  std::wstring search = WideFolderPath(directory) + L"*.*";
  if (search.size() >= kPathLimit) return false;
  WIN32_FIND_DATAW data{};
  UniqueFind find(FindFirstFileW(search.c_str(), &data));
  if (!find) return false;
  do {
    std::wstring_view name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back(
        FolderEntry{Narrow(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(find.get(), &data));
  // Only ERROR_NO_MORE_FILES ends the entries; after any other error the folder is one that
  // cannot be listed, not one with fewer entries.
  if (GetLastError() != ERROR_NO_MORE_FILES) {
    entries.clear();
    return false;
  }
  return true;
}

bool WinFileSystem::HasSubfolder(std::string_view directory) {
  std::wstring search = WideFolderPath(directory) + L"*.*";
  if (search.size() >= kPathLimit) return false;
  WIN32_FIND_DATAW data{};
  // Only names are needed: the basic level and the larger fetch make a big folder cheaper.
  UniqueFind find(FindFirstFileExW(search.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return false;
  bool found = false;
  do {
    std::wstring_view name = data.cFileName;
    found =
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." && name != L"..";
  } while (!found && FindNextFileW(find.get(), &data));
  // A listing broken off by an error before a subfolder came answers false, as a folder that
  // cannot be listed does.
  return found;
}

}  // namespace kz
