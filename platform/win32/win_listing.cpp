// The batch listing: a folder's entries with their file ids, read batch by batch from one open
// handle, and the facts of the current entry.

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
  if (depth == 0 && underWine_) TakeMountsBelow(folderPath);  // a search begins
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
  // The listing reports a link's own size, not its target's: FileSize follows the link.
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

}  // namespace kz
