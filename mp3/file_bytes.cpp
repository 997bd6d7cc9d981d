#include "mp3/file_bytes.h"

#include <algorithm>

namespace kz {

FileBytes::FileBytes(ReadOnlyFile& file, std::size_t chunk)
    : file_(file),
      buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(std::max(chunk, kMinPiece))),
      chunk_(std::max(chunk, kMinPiece)) {}

std::span<const std::uint8_t> FileBytes::BytesAt(std::uint64_t offset) {
  if (failed_) return {};
  const std::uint64_t total = file_.size();
  if (offset > total) offset = total;
  std::uint64_t bufferEnd = start_ + length_;
  // Served from the buffer when it holds enough from the offset on.
  if (offset >= start_ && offset <= bufferEnd &&
      (bufferEnd - offset >= kMinPiece || bufferEnd == total)) {
    return {buffer_.get() + (offset - start_), static_cast<std::size_t>(bufferEnd - offset)};
  }
  auto length = static_cast<std::size_t>(std::min<std::uint64_t>(chunk_, total - offset));
  if (!file_.ReadAt(offset, {buffer_.get(), length})) {
    failed_ = true;
    length_ = 0;
    return {};
  }
  start_ = offset;
  length_ = length;
  return {buffer_.get(), length};
}

std::uint64_t FileBytes::DataFrom(std::uint64_t offset) {
  return std::max(offset, file_.DataFrom(offset));
}

}  // namespace kz
