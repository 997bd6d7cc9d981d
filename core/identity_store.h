#pragma once

#include <cstdint>
#include <vector>

#include "core/chunked_vector.h"
#include "platform/file_identity.h"

namespace kz {

// What each collected file was when the search listed it, addressed by FileRecord::identity, in
// as little room as it needs: a folder's id once for all its files, and for each file its number,
// its last write and whether it was reached through a link. The rare file whose id does not fit
// that (128 bits, or a volume other than its folder's, as a link's target may have) keeps the
// rest beside.
class IdentityStore {
 public:
  std::size_t size() const { return files_.size(); }
  void push_back(const FileIdentity& identity);
  FileIdentity operator[](std::size_t at) const;
  // Forgets every file from `count` on (a folder whose listing broke off takes its files back).
  void resize(std::size_t count);
  void clear();
  std::size_t storageBytes() const;

 private:
  struct File {
    std::uint64_t number = 0;
    std::int64_t lastWrite = 0;
    std::uint32_t folder = 0;  // in folders_
    std::uint32_t flags = 0;
  };
  static constexpr std::uint32_t kThroughLink = 1;
  static constexpr std::uint32_t kUnusualId = 2;  // its whole id is in unusual_
  struct Unusual {
    std::size_t file;
    ObjectId id;
  };

  ChunkedVector<File> files_;
  ChunkedVector<ObjectId> folders_;
  std::vector<Unusual> unusual_;  // by file, rising
};

}  // namespace kz
