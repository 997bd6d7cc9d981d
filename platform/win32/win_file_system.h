#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/win_handles.h"
#include "platform/win32/wine_mounts.h"

namespace kz {

// The Windows file system through the W functions; paths are UTF-8 at the seam and use '\'.
class WinFileSystem final : public FileSystem {
 public:
  WinFileSystem() = default;
  WinFileSystem(const WinFileSystem&) = delete;
  WinFileSystem& operator=(const WinFileSystem&) = delete;
  ~WinFileSystem() override = default;

  char Separator() const override { return '\\'; }
  bool OpenListing(std::int32_t depth, std::string_view directory,
                   std::string_view pattern) override;
  bool NextEntry(std::int32_t depth) override;
  bool ListingFailed(std::int32_t depth) override;
  std::string_view EntryName(std::int32_t depth) override;
  std::int32_t EntryKind(std::int32_t depth) override;
  bool EntryIsLink(std::int32_t depth) override;
  std::int64_t EntrySize(std::int32_t depth) override;
  std::optional<FileIdentity> EntryIdentity(std::int32_t depth) override;
  std::optional<ObjectId> ListingFolder(std::int32_t depth) override;
  void CloseListing(std::int32_t depth) override;
  std::optional<std::string> FolderIdentity(std::string_view directory) override;
  std::int64_t FileSize(std::string_view path) override;
  std::optional<std::int64_t> CreationTime(std::string_view path) override;
  std::unique_ptr<ListedFolder> OpenListedFolder(std::string_view directory,
                                                 const ObjectId& expected) override;
  std::unique_ptr<ReadOnlyFile> OpenReadOnly(std::string_view path) override;
  bool ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) override;
  bool HasSubfolder(std::string_view directory) override;
  std::string ServicePath(std::string_view path) override;

  // The platform's path limit, in characters, for a search path or a file path.
  static constexpr std::size_t kPathLimit = MAX_PATH;

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

 private:
  // What a folder's volume is and how far its file ids can be trusted.
  struct VolumeFacts {
    std::uint64_t volume = 0;
    bool wideIds = false;    // 128-bit ids (Windows 8 and later, where the file system has them)
    bool trustedIds = true;  // the ids tell files apart; else they are reported as unknown
  };
  // A folder listed batch by batch from an open handle: each entry comes with its file id,
  // which a FindFirstFileW listing does not give, and the folder is known by what the handle
  // opened rather than by its path text.
  struct Listing {
    UniqueFile folder;
    ObjectId folderId;
    VolumeFacts facts;
    std::vector<LONGLONG> batch;  // entries as the system wrote them, 8-byte aligned
    const char* at = nullptr;     // the current entry, inside batch
    EntryFields entry;
    std::string name;
    std::wstring path;    // the folder, ending in '\\'
    bool failed = false;  // the last batch was refused with an error, not for want of entries
    void Close();
  };
  // The facts of the volume a folder lies on, asked of the system (a search's root, a link).
  VolumeFacts FactsOf(HANDLE folder, std::wstring_view folderPath);
  // The facts a plain subfolder takes from the folder listed one depth up, or nothing when
  // `folderPath` is not that folder's current entry or the entry leads elsewhere.
  std::optional<VolumeFacts> InheritedFacts(std::int32_t depth, std::wstring_view folderPath);
  // Under Wine: the volume of the mount whose point is `folderPath`, when one lies there below
  // the search's root.
  std::optional<std::uint64_t> MountAt(std::wstring_view folderPath) const;
  // Under Wine, as a search begins at `rootPath`: the mounts as they are now, and those that lie
  // inside the searched tree.
  void TakeMountsBelow(std::wstring_view rootPath);
  // MountAt for the listing's current entry, when it is a folder.
  std::optional<std::uint64_t> MountOfEntry(const Listing& listing) const;
  // Whether the listing's current entry is a link, a junction or a mount point that leads out
  // of the tree's own folders.
  bool EntryLeadsElsewhere(const Listing& listing) const;
  bool ReadBatch(Listing& listing, bool wide);
  // Reads the entry at the listing's place into its Entry.
  static void TakeCurrent(Listing& listing);
  Listing* At(std::int32_t depth);

  bool underWine_ = WineMounts::UnderWine();
  WineMounts mounts_;
  std::wstring rootPath_;  // the search's root, ending in '\\'
  std::unordered_map<std::wstring, std::uint64_t> mountsBelowRoot_;  // by path below the root
  std::vector<Listing> listings_;
};

}  // namespace kz
