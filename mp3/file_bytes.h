#pragma once

#include <memory>

#include "mp3/byte_source.h"
#include "platform/file_system.h"

namespace kz {

// A file's bytes read in chunks into one buffer: files of any size, in a 32-bit process too,
// and a file that shrinks meanwhile fails a read instead of faulting like a mapping would.
class FileBytes final : public ByteSource {
 public:
  // Large enough that a read costs little beside its copy, small enough to stay in the cache.
  static constexpr std::size_t kChunk = std::size_t{1} << 20;

  // `chunk` (at least kMinPiece) bytes are read at a time: a reader that looks only at the
  // start and the end of a file reads little more than those.
  explicit FileBytes(ReadOnlyFile& file, std::size_t chunk = kChunk);
  std::uint64_t size() const override { return file_.size(); }
  std::span<const std::uint8_t> BytesAt(std::uint64_t offset) override;
  std::uint64_t DataFrom(std::uint64_t offset) override;
  bool failed() const override { return failed_; }

 private:
  ReadOnlyFile& file_;
  std::unique_ptr<std::uint8_t[]> buffer_;
  std::uint64_t start_ = 0;  // the file offset of buffer_[0]
  std::size_t length_ = 0;   // bytes in the buffer
  std::size_t chunk_;
  bool failed_ = false;
};

}  // namespace kz
