#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "mp3/byte_source.h"

namespace kz {

// The piece of a file's bytes that a scan looks at, fetched anew only when it lacks bytes the
// scan needs.
class ByteWindow {
 public:
  explicit ByteWindow(ByteSource& source) : source_(source) {}
  // The bytes from `p` (at most size()) on, at least `need` of them or all up to the end of the
  // file; empty once a read failed. Valid until the next call.
  std::span<const std::uint8_t> At(std::uint64_t p, std::size_t need) {
    if (p < start_ || p - start_ > piece_.size() ||
        piece_.size() - (p - start_) < std::min<std::uint64_t>(need, source_.size() - p)) {
      piece_ = source_.BytesAt(p);
      start_ = p;
    }
    return piece_.subspan(static_cast<std::size_t>(p - start_));
  }

 private:
  ByteSource& source_;
  std::uint64_t start_ = 0;
  std::span<const std::uint8_t> piece_;
};

}  // namespace kz
