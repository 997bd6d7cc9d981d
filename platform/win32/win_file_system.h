#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/search_scope.h"
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
  std::unique_ptr<FolderListing> OpenSearch(std::string_view directory) override;
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

 private:
  bool underWine_ = WineMounts::UnderWine();
  // The last search's: the removal and the other acts on listed folders judge a folder's volume
  // as the search that listed it did.
  std::shared_ptr<const SearchScope> lastSearch_ = std::make_shared<const SearchScope>();
};

}  // namespace kz
