#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kz {

// The file system of a POSIX machine, for the native build and the CLI. Paths use '/'.
class PosixFileSystem final : public FileSystem {
 public:
  // `measuringThreads` above 1 lets FileSizesOfFolders ask on that many threads (the command
  // line's choice: no window waits on it).
  explicit PosixFileSystem(std::size_t measuringThreads = 1)
      : measuringThreads_(measuringThreads) {}
  PosixFileSystem(const PosixFileSystem&) = delete;
  PosixFileSystem& operator=(const PosixFileSystem&) = delete;
  ~PosixFileSystem() override = default;

  char Separator() const override { return '/'; }
  std::unique_ptr<FolderListing> OpenSearch(std::string_view directory) override;
  std::optional<std::string> FolderIdentity(std::string_view directory) override;
  std::int64_t FileSize(std::string_view path) override;
  void FileSizes(std::string_view directory, std::span<const std::string_view> names,
                 std::span<std::int64_t> sizes) override;
  void FileSizesOfFolders(std::span<const FolderFiles> folders) override;
  std::optional<std::int64_t> CreationTime(std::string_view path) override;
  std::unique_ptr<ListedFolder> OpenListedFolder(std::string_view directory,
                                                 const ObjectId& expected) override;
  std::unique_ptr<ReadOnlyFile> OpenReadOnly(std::string_view path) override;
  bool ListFolder(std::string_view directory, std::vector<FolderEntry>& entries) override;
  bool HasSubfolder(std::string_view directory) override;

 private:
  std::size_t measuringThreads_;
};

}  // namespace kz
