// The batch listing: a folder's entries with their file ids, read batch by batch from one open
// handle, and the facts of the current entry. Each entry comes with its file id, which a
// FindFirstFileW listing does not give, and the folder is known by what the handle opened
// rather than by its path text.

#include <winternl.h>

#include <memory>
#include <type_traits>
#include <utility>

#include "common/windows_path_rules.h"
#include "platform/win32/file_ids.h"
#include "platform/win32/folder_path.h"
#include "platform/win32/reparse_points.h"
#include "platform/win32/search_scope.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_file_system.h"
#include "platform/win32/win_handles.h"

namespace kz {
namespace {

constexpr std::size_t kBatchBytes = 64 * 1024;

// A listing's current entry, whichever form the system wrote it in.
struct EntryFields {
  DWORD attributes = 0;
  DWORD reparseTag = 0;  // for a reparse point; 0 where the system gave none
  LONGLONG lastWrite = 0;
  LONGLONG endOfFile = 0;
  std::uint64_t idLow = 0;
  std::uint64_t idHigh = 0;
  std::wstring_view name;
  DWORD next = 0;  // offset of the next entry in the batch, 0 for the last
};

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
void Read(const char* at, EntryFields& entry) {
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

class WinFolderListing final : public FolderListing {
 public:
  // Opens the folder at `path` (ending in '\\'), known as `directory` at the seam. `handed` are
  // the facts of its volume as its parent's listing knew them; without them the system is asked.
  static std::unique_ptr<FolderListing> Open(std::shared_ptr<const SearchScope> scope,
                                             std::wstring path, std::string directory,
                                             std::optional<VolumeFacts> handed) {
    // The classic path limit applies to the search path (folder and "*.*"): a longer one yields
    // no entries.
    if (path.size() + 3 >= WinFileSystem::kPathLimit) return nullptr;
    UniqueFile folder(CreateFileW(ExtendedPath(path).c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder) return nullptr;
    VolumeFacts facts = handed ? *handed : scope->FactsOf(folder.get(), path);
    std::optional<ObjectId> id;
    if (facts.wideIds) {
      id = IdOfHandle(folder.get(), facts.volume, true);
    } else if (std::optional<std::uint64_t> index = FolderIndex(folder.get())) {
      id = ObjectId{facts.volume, *index, 0};
    }
    if (!id) return nullptr;
    return std::unique_ptr<FolderListing>(new WinFolderListing(
        std::move(scope), std::move(folder), TrustedOrUnknown(*id, facts.trustedIds), facts,
        std::move(path), std::move(directory)));
  }

  const ListedEntry* Next() override {
    if (!folder_) return nullptr;
    if (at_ && entry_.next != 0) {
      at_ += entry_.next;
      return TakeCurrent();
    }
    bool firstBatch = at_ == nullptr;
    bool read = ReadBatch(facts_.wideIds);
    DWORD error = read ? ERROR_SUCCESS : GetLastError();
    // A volume that has 128-bit ids may still refuse them in listings (Wine answers error 87):
    // the 64-bit form then, which NTFS fills with the same numbers.
    if (!read && firstBatch && facts_.wideIds && error != ERROR_NO_MORE_FILES &&
        error != ERROR_FILE_NOT_FOUND) {
      facts_.wideIds = false;
      read = ReadBatch(false);
      error = read ? ERROR_SUCCESS : GetLastError();
    }
    if (!read) {
      // ERROR_NO_MORE_FILES is the end of the entries; a folder without any at all (a volume's
      // root has no "." or "..") answers the first query with ERROR_FILE_NOT_FOUND. Any other
      // error (a network share gone, a volume taken out) breaks the listing off.
      failed_ = error != ERROR_NO_MORE_FILES && !(firstBatch && error == ERROR_FILE_NOT_FOUND);
      folder_.reset();  // released as soon as it has delivered its last entry
      at_ = nullptr;
      return nullptr;
    }
    return TakeCurrent();
  }
  bool Failed() const override { return failed_; }
  const std::string& Directory() const override { return directory_; }
  const ObjectId& Folder() const override { return folderId_; }

  EntryFacts Facts() override {
    if (!at_) return {};
    EntryFacts facts;
    // The listing reports a link's own size, not its target's: FileSize follows the link.
    if (entry_.attributes & FILE_ATTRIBUTE_DIRECTORY) {
      facts.size = -2;
    } else if (!listed_.isLink) {
      facts.size = entry_.endOfFile;
    }
    FileIdentity& identity = facts.identity.emplace();
    identity.file = TrustedOrUnknown(ObjectId{folderId_.volume, entry_.idLow, entry_.idHigh},
                                     facts_.trustedIds);
    // A mount point's entry is on the mounted volume (Wine gives it no number).
    if (std::optional<std::uint64_t> mount = MountOfEntry()) identity.file.volume = *mount;
    identity.folder = folderId_;
    identity.lastWrite = entry_.lastWrite;
    identity.throughLink = listed_.isLink;
    return facts;
  }

  // A plain subfolder lies on this folder's volume: only a link, a junction or a mount point (all
  // reparse points on Windows) leads to another one. Under Wine a mount point is a plain folder,
  // found by its path in the mount table.
  std::unique_ptr<FolderListing> OpenEntry() override {
    if (!at_ || !listed_.isDirectory) return nullptr;
    std::optional<VolumeFacts> handed;
    if (!listed_.isLink) {
      handed = facts_;
      if (std::optional<std::uint64_t> mount = MountOfEntry()) handed->volume = *mount;
    }
    // Opened by the path its files will be known by, so that a name the seam's text cannot hold
    // (an unpaired surrogate) never lists one folder under another's path.
    std::string directory = directory_ + listed_.name + '\\';
    std::wstring path = WideFolderPath(directory);
    return Open(scope_, std::move(path), std::move(directory), handed);
  }

 private:
  WinFolderListing(std::shared_ptr<const SearchScope> scope, UniqueFile folder, ObjectId folderId,
                   VolumeFacts facts, std::wstring path, std::string directory)
      : scope_(std::move(scope)),
        folder_(std::move(folder)),
        folderId_(folderId),
        facts_(facts),
        batch_(std::make_unique_for_overwrite<LONGLONG[]>(kBatchBytes / sizeof(LONGLONG))),
        path_(std::move(path)),
        directory_(std::move(directory)) {}

  bool ReadBatch(bool wide) {
    FILE_INFO_BY_HANDLE_CLASS kind =
        wide ? info_class::kFileIdExtdDirectory : FileIdBothDirectoryInfo;
    if (!GetFileInformationByHandleEx(folder_.get(), kind, batch_.get(),
                                      static_cast<DWORD>(kBatchBytes))) {
      return false;
    }
    at_ = reinterpret_cast<const char*>(batch_.get());
    return true;
  }

  const ListedEntry* TakeCurrent() {
    if (facts_.wideIds) {
      Read<FileIdExtdDirInfo>(at_, entry_);
    } else {
      Read<FILE_ID_BOTH_DIR_INFO>(at_, entry_);
    }
    listed_.name = Narrow(entry_.name);
    listed_.isDirectory = (entry_.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // Wine shows a Unix mount point as a reparse point without a tag, as it shows a link to a
    // folder; a mount point below the search's root is a folder of the tree all the same.
    listed_.isLink = LeadsElsewhere(entry_.attributes, entry_.reparseTag) && !MountOfEntry();
    return &listed_;
  }

  // The volume of the mount at the current entry, when it is a folder that is one.
  std::optional<std::uint64_t> MountOfEntry() const {
    if (!(entry_.attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    std::wstring subfolder = path_;
    subfolder.append(entry_.name).push_back(L'\\');
    return scope_->MountAt(subfolder);
  }

  std::shared_ptr<const SearchScope> scope_;
  UniqueFile folder_;
  ObjectId folderId_;
  VolumeFacts facts_;
  std::unique_ptr<LONGLONG[]> batch_;  // entries as the system wrote them, 8-byte aligned
  const char* at_ = nullptr;           // the current entry, inside batch_
  EntryFields entry_;
  ListedEntry listed_;
  std::wstring path_;      // the folder, ending in '\\'
  std::string directory_;  // the same at the seam
  bool failed_ = false;    // the last batch was refused with an error, not for want of entries
};

}  // namespace

std::unique_ptr<FolderListing> WinFileSystem::OpenSearch(std::string_view directory) {
  std::wstring path = WideFolderPath(directory);
  lastSearch_ = std::make_shared<const SearchScope>(path);
  std::string seamPath(directory);
  if (seamPath.empty() || seamPath.back() != '\\') seamPath.push_back('\\');
  return WinFolderListing::Open(lastSearch_, std::move(path), std::move(seamPath), std::nullopt);
}

}  // namespace kz
