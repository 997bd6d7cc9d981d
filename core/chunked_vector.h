#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace kz {

// A growing array kept in chunks of a fixed size. A vector that doubles holds up to twice what
// it needs, and while it moves to a larger block both blocks are alive; for the million records
// of a large search that is most of the memory a search takes at its peak. Chunks never move,
// so a reference stays valid while elements are added.
template <class T, std::size_t kChunk = 4096>
class ChunkedVector {
 public:
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T& operator[](std::size_t at) { return chunks_[at / kChunk][at % kChunk]; }
  const T& operator[](std::size_t at) const { return chunks_[at / kChunk][at % kChunk]; }
  T& back() { return (*this)[size_ - 1]; }

  template <class... Args>
  T& emplace_back(Args&&... args) {
    if (size_ % kChunk == 0 && size_ / kChunk == chunks_.size()) {
      chunks_.push_back(std::make_unique<T[]>(kChunk));
    }
    T& slot = (*this)[size_];
    slot = T{std::forward<Args>(args)...};
    ++size_;
    return slot;
  }
  void push_back(T value) { emplace_back(std::move(value)); }

  // Keeps the first `count` elements; the others are reset and whole chunks beyond given back.
  void truncate(std::size_t count) {
    for (std::size_t at = count; at < size_; ++at) (*this)[at] = T{};
    size_ = count < size_ ? count : size_;
    chunks_.resize((size_ + kChunk - 1) / kChunk);
  }
  void clear() {
    chunks_.clear();
    chunks_.shrink_to_fit();
    size_ = 0;
  }
  // Bytes held by the elements' chunks and the chunk table.
  std::size_t storageBytes() const {
    return chunks_.size() * kChunk * sizeof(T) + chunks_.capacity() * sizeof(std::unique_ptr<T[]>);
  }

 private:
  std::vector<std::unique_ptr<T[]>> chunks_;
  std::size_t size_ = 0;
};

}  // namespace kz
