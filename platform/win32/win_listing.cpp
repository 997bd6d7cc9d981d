#include <winternl.h>

#include "platform/win32/wide_text.h"
#include "platform/win32/win_file_system.h"
#include "platform/win32/win_handles.h"

namespace kz {
namespace {

constexpr std::size_t kBatchBytes = 64 * 1024;

// Symbolic links and junctions lead elsewhere; other reparse points (cloud placeholders,
// deduplicated files) hold their own contents and are plain files and folders to the scan. For
// a reparse point the listing puts its tag where the extended-attribute size would be; Wine
// marks a Unix symlink to a folder as a reparse point without a tag.
bool LeadsElsewhere(const FILE_ID_BOTH_DIR_INFO& entry) {
  if (!(entry.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return entry.EaSize == 0 || IsReparseTagNameSurrogate(entry.EaSize);
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

std::optional<std::uint64_t> VolumeOf(HANDLE folder) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(folder, &information)) return std::nullopt;
  return information.dwVolumeSerialNumber;
}

}  // namespace

// A plain subfolder of the folder listed one depth up lies on that folder's volume: only a
// link, a junction or a mount point (all reparse points) leads to another one.
std::optional<std::uint64_t> WinFileSystem::InheritedVolume(std::int32_t depth,
                                                            std::wstring_view folderPath) {
  Listing* parent = At(depth - 1);
  if (!parent || !parent->entry || LeadsElsewhere(*parent->entry) ||
      !(parent->entry->FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  std::wstring_view name(parent->entry->FileName, parent->entry->FileNameLength / sizeof(WCHAR));
  if (folderPath.size() != parent->path.size() + name.size() + 1 ||
      !folderPath.starts_with(parent->path) ||
      folderPath.substr(parent->path.size(), name.size()) != name) {
    return std::nullopt;
  }
  return parent->folderId.volume;
}

void WinFileSystem::Listing::Close() {
  folder.reset();
  entry = nullptr;
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
  std::wstring folderPath = Widen(directory);
  if (folderPath.empty() || folderPath.back() != L'\\') folderPath += L'\\';
  // The classic path limit applies to the search path (folder and pattern): a longer one yields
  // no entries. The pattern is always "*.*", which matches every name.
  if (folderPath.size() + Widen(pattern).size() >= kPathLimit) return false;
  listing.folder.reset(CreateFileW(folderPath.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!listing.folder) return false;
  std::optional<std::uint64_t> index = FolderIndex(listing.folder.get());
  std::optional<std::uint64_t> volume = InheritedVolume(depth, folderPath);
  if (index && !volume) volume = VolumeOf(listing.folder.get());
  if (!index || !volume) {
    listing.Close();
    return false;
  }
  listing.folderId = ObjectId{*volume, *index};
  listing.path = folderPath;
  if (listing.batch.empty()) listing.batch.resize(kBatchBytes / sizeof(LONGLONG));
  return true;
}

bool WinFileSystem::NextEntry(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || !listing->folder) return false;
  if (listing->entry && listing->entry->NextEntryOffset != 0) {
    listing->entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(
        reinterpret_cast<const char*>(listing->entry) + listing->entry->NextEntryOffset);
  } else if (GetFileInformationByHandleEx(listing->folder.get(), FileIdBothDirectoryInfo,
                                          listing->batch.data(), static_cast<DWORD>(kBatchBytes))) {
    listing->entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(listing->batch.data());
  } else {
    // ERROR_NO_MORE_FILES is the end of the entries; a folder without any at all (a volume's
    // root has no "." or "..") answers the first query with ERROR_FILE_NOT_FOUND. Any other
    // error (a network share gone, a volume taken out) breaks the listing off.
    DWORD error = GetLastError();
    bool firstBatch = listing->entry == nullptr;
    listing->failed =
        error != ERROR_NO_MORE_FILES && !(firstBatch && error == ERROR_FILE_NOT_FOUND);
    listing->Close();  // released as soon as it has delivered its last entry
    return false;
  }
  const FILE_ID_BOTH_DIR_INFO& entry = *listing->entry;
  listing->name = Narrow(std::wstring_view(entry.FileName, entry.FileNameLength / sizeof(WCHAR)));
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
  return listing && listing->entry && (listing->entry->FileAttributes & FILE_ATTRIBUTE_DIRECTORY)
             ? 2
             : 1;
}

bool WinFileSystem::EntryIsLink(std::int32_t depth) {
  Listing* listing = At(depth);
  return listing && listing->entry && LeadsElsewhere(*listing->entry);
}

std::int64_t WinFileSystem::EntrySize(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || !listing->entry) return -1;
  if (listing->entry->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
  // The listing reports a link's own size, not its target's; FileSize has to answer that.
  if (LeadsElsewhere(*listing->entry)) return -1;
  return listing->entry->EndOfFile.QuadPart;
}

std::optional<FileIdentity> WinFileSystem::EntryIdentity(std::int32_t depth) {
  Listing* listing = At(depth);
  if (!listing || !listing->entry) return std::nullopt;
  const FILE_ID_BOTH_DIR_INFO& entry = *listing->entry;
  FileIdentity identity;
  identity.file =
      ObjectId{listing->folderId.volume, static_cast<std::uint64_t>(entry.FileId.QuadPart)};
  identity.folder = listing->folderId;
  identity.lastWrite = entry.LastWriteTime.QuadPart;
  identity.throughLink = LeadsElsewhere(entry);
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
  std::wstring search = Widen(directory);
  if (search.empty() || search.back() != L'\\') search += L'\\';
  search += L"*.*";
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
  std::wstring search = Widen(directory);
  if (search.empty() || search.back() != L'\\') search += L'\\';
  search += L"*.*";
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
