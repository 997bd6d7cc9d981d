#include "core/record_list.h"

#include <utility>

#include "core/sort_by_name.h"

namespace kz {

void RecordList::clear() {
  nodes_.clear();
  first_ = last_ = cursor_ = kNone;
  count_ = 0;
  packed_ = true;
}

bool RecordList::advance() {
  if (cursor_ == kNone) {
    if (first_ == kNone) return false;
    cursor_ = first_;
    return true;
  }
  std::int32_t following = nodes_[cursor_].next;
  if (following == kNone) return false;
  cursor_ = following;
  return true;
}

FileRecord& RecordList::insertAfterCurrent() {
  std::int32_t slot = static_cast<std::int32_t>(nodes_.size());
  std::int32_t before = cursor_;
  std::int32_t after = before == kNone ? first_ : nodes_[before].next;
  nodes_.push_back(Node{FileRecord{}, before, after});
  if (before == kNone) {
    first_ = slot;
  } else {
    nodes_[before].next = slot;
  }
  if (after == kNone) {
    last_ = slot;
  } else {
    nodes_[after].previous = slot;
    packed_ = false;  // the new node sits at the end of the vector but not of the list
  }
  cursor_ = slot;
  ++count_;
  return nodes_[slot].record;
}

void RecordList::removeCurrent() {
  if (cursor_ == kNone) return;
  Node& removed = nodes_[cursor_];
  std::int32_t before = removed.previous;
  std::int32_t after = removed.next;
  if (before == kNone) {
    first_ = after;
  } else {
    nodes_[before].next = after;
  }
  if (after == kNone) {
    last_ = before;
  } else {
    nodes_[after].previous = before;
  }
  removed.record = FileRecord{};  // release the texts now, as the record is gone
  removed.previous = removed.next = kNone;
  --count_;
  cursor_ = before;
  packed_ = false;
}

void RecordList::pack() {
  if (packed_) return;
  ChunkedVector<Node> ordered;
  std::int32_t newCursor = kNone;
  for (std::int32_t at = first_; at != kNone; at = nodes_[at].next) {
    if (at == cursor_) newCursor = static_cast<std::int32_t>(ordered.size());
    ordered.push_back(Node{std::move(nodes_[at].record), 0, 0});
  }
  std::int32_t size = static_cast<std::int32_t>(ordered.size());
  for (std::int32_t i = 0; i < size; ++i) {
    ordered[i].previous = i - 1;
    ordered[i].next = i + 1 < size ? i + 1 : kNone;
  }
  nodes_ = std::move(ordered);
  first_ = size > 0 ? 0 : kNone;
  last_ = size > 0 ? size - 1 : kNone;
  cursor_ = newCursor;
  packed_ = true;
}

std::int32_t RecordList::currentIndex() {
  if (cursor_ == kNone) return -1;
  pack();
  return cursor_;
}

FileRecord* RecordList::selectAt(std::int32_t position) {
  pack();
  if (position < 0 || count_ == 0) {
    cursor_ = kNone;
    return nullptr;
  }
  cursor_ = position >= count_ ? count_ - 1 : position;
  return &nodes_[cursor_].record;
}

void RecordList::sortByName() {
  pack();
  std::vector<FileRecord*> view;
  view.reserve(nodes_.size());
  for (std::size_t at = 0; at < nodes_.size(); ++at) view.push_back(&nodes_[at].record);
  SortRecordsByName(view);
}

}  // namespace kz
