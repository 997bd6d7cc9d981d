#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "mp3/byte_source.h"

namespace kz::testing {

// Bytes handed out in pieces of the smallest size allowed, each copied so that a read past a
// piece is caught, with every run of zeros a hole; optionally failing at the n-th piece.
class PieceBytes final : public ByteSource {
 public:
  explicit PieceBytes(std::span<const std::uint8_t> bytes, std::size_t failAt = 0)
      : bytes_(bytes), failAt_(failAt) {}
  std::uint64_t size() const override { return bytes_.size(); }
  std::span<const std::uint8_t> BytesAt(std::uint64_t offset) override {
    if (failed_ || ++pieces_ == failAt_) {
      failed_ = true;
      return {};
    }
    std::size_t length = std::min(kMinPiece, bytes_.size() - static_cast<std::size_t>(offset));
    // A buffer of its own, of exactly the piece's size: a read past it is caught.
    piece_ =
        std::vector<std::uint8_t>(bytes_.begin() + static_cast<std::ptrdiff_t>(offset),
                                  bytes_.begin() + static_cast<std::ptrdiff_t>(offset + length));
    return piece_;
  }
  std::uint64_t DataFrom(std::uint64_t offset) override {
    while (offset < bytes_.size() && bytes_[offset] == 0) ++offset;
    return offset;
  }
  bool failed() const override { return failed_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t failAt_;
  std::size_t pieces_ = 0;
  bool failed_ = false;
  std::vector<std::uint8_t> piece_;
};

}  // namespace kz::testing
