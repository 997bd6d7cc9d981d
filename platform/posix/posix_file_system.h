#pragma once

#include <dirent.h>
#include <sys/stat.h>

#include <array>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/posix/posix_handles.h"

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
  struct Listing {
    UniqueDirectory handle;
    std::string directory;  // with trailing '/'
    std::string name;
    bool isDirectory = false;
    bool isLink = false;
    ObjectId folder;        // what opendir actually opened
    bool statDone = false;  // target below holds the entry's stat (links followed)
    bool statOk = false;
    struct stat target {};
    bool failed = false;  // readdir ended with an error, not at the end of the entries
    void Close();
  };
  Listing* At(std::int32_t depth);
  void Classify(Listing& listing, const struct dirent& entry);
  const struct stat* EntryStat(Listing& listing);

  std::vector<Listing> listings_;
  std::size_t measuringThreads_;
};

}  // namespace kz
