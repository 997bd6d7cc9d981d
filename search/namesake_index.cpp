#include "search/namesake_index.h"

#include <bit>
#include <functional>
#include <string_view>

namespace kz {
namespace {

std::uint64_t HashOf(const FileRecord& record) {
  return std::hash<std::string_view>{}(record.name.view());
}

std::uint32_t TagOf(std::uint64_t hash) {
  return static_cast<std::uint32_t>(hash >> 32);
}

}  // namespace

NamesakeIndex::NamesakeIndex(RecordList& reference) {
  // At most half full, so probe runs stay short.
  std::size_t capacity = std::bit_ceil(2 * static_cast<std::size_t>(reference.count()) + 2);
  slots_.resize(capacity);
  mask_ = capacity - 1;
  reference.rewind();
  while (reference.advance()) {
    const FileRecord& record = reference.current();
    Slot& slot = findOrInsert(record, HashOf(record));
    if (!slot.inSeveralDirectories && !(slot.first->directory == record.directory)) {
      slot.inSeveralDirectories = true;
    }
  }
}

const NamesakeIndex::Slot* NamesakeIndex::find(const FileRecord& file, std::uint64_t hash) const {
  std::uint32_t tag = TagOf(hash);
  for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
    const Slot& slot = slots_[at];
    if (!slot.first) return nullptr;
    if (slot.hashTag == tag && slot.first->name.view() == file.name.view()) return &slot;
  }
}

NamesakeIndex::Slot& NamesakeIndex::findOrInsert(const FileRecord& record, std::uint64_t hash) {
  std::uint32_t tag = TagOf(hash);
  for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
    Slot& slot = slots_[at];
    if (!slot.first) {
      slot.first = &record;
      slot.hashTag = tag;
      return slot;
    }
    if (slot.hashTag == tag && slot.first->name.view() == record.name.view()) return slot;
  }
}

bool NamesakeIndex::hasNamesakeElsewhere(const FileRecord& file) const {
  const Slot* slot = find(file, HashOf(file));
  if (!slot) return false;
  return slot->inSeveralDirectories || !(slot->first->directory == file.directory);
}

}  // namespace kz
