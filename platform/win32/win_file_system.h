#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/win_handles.h"

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
  bool RemoveFile(std::string_view directory, std::string_view name,
                  const FileIdentity& expected) override;
  std::unique_ptr<ReadOnlyFile> OpenReadOnly(std::string_view path) override;
  bool ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) override;
  bool HasSubfolder(std::string_view directory) override;

  // The platform's path limit, in characters, for a search path or a file path.
  static constexpr std::size_t kPathLimit = MAX_PATH;

 private:
  // A folder listed batch by batch from an open handle: each entry comes with its file id,
  // which a FindFirstFileW listing does not give, and the folder is known by what the handle
  // opened rather than by its path text.
  struct Listing {
    UniqueFile folder;
    ObjectId folderId;
    std::vector<LONGLONG> batch;  // entries as the system wrote them, 8-byte aligned
    const FILE_ID_BOTH_DIR_INFO* entry = nullptr;  // the current one, inside batch
    std::string name;
    std::wstring path;    // the folder, ending in '\\'
    bool failed = false;  // the last batch was refused with an error, not for want of entries
    void Close();
  };
  std::optional<std::uint64_t> InheritedVolume(std::int32_t depth, std::wstring_view folderPath);
  Listing* At(std::int32_t depth);

  std::vector<Listing> listings_;
};

}  // namespace kz
