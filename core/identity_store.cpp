#include "core/identity_store.h"

#include <algorithm>

namespace kz {

void IdentityStore::push_back(const FileIdentity& identity) {
  // The files of a folder come one after another, so its id is compared with the last one only.
  if (folders_.empty() || !(folders_.back() == identity.folder))
    folders_.push_back(identity.folder);
  File file;
  file.number = identity.file.file;
  file.lastWrite = identity.lastWrite;
  file.folder = static_cast<std::uint32_t>(folders_.size() - 1);
  file.flags = identity.throughLink ? kThroughLink : 0;
  if (identity.file.fileHigh != 0 || identity.file.volume != identity.folder.volume) {
    file.flags |= kUnusualId;
    unusual_.push_back(Unusual{files_.size(), identity.file});
  }
  files_.push_back(file);
}

FileIdentity IdentityStore::operator[](std::size_t at) const {
  const File& file = files_[at];
  FileIdentity identity;
  identity.folder = folders_[file.folder];
  identity.file = ObjectId{identity.folder.volume, file.number, 0};
  if (file.flags & kUnusualId) {
    auto found = std::lower_bound(
        unusual_.begin(), unusual_.end(), at,
        [](const Unusual& each, std::size_t wanted) { return each.file < wanted; });
    if (found != unusual_.end() && found->file == at) identity.file = found->id;
  }
  identity.lastWrite = file.lastWrite;
  identity.throughLink = (file.flags & kThroughLink) != 0;
  return identity;
}

void IdentityStore::resize(std::size_t count) {
  if (count >= files_.size()) return;
  std::size_t folders = count == 0 ? 0 : files_[count - 1].folder + 1;
  files_.truncate(count);
  folders_.truncate(folders);
  while (!unusual_.empty() && unusual_.back().file >= count) unusual_.pop_back();
}

void IdentityStore::clear() {
  files_.clear();
  folders_.clear();
  unusual_.clear();
  unusual_.shrink_to_fit();
}

std::size_t IdentityStore::storageBytes() const {
  return files_.storageBytes() + folders_.storageBytes() + unusual_.capacity() * sizeof(Unusual);
}

}  // namespace kz
