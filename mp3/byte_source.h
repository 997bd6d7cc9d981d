#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kz {

// The bytes of one file as the header scan sees them: pieces at any offset, so that a file need
// not be in memory at once, and where the holes of a sparse file lie.
class ByteSource {
 public:
  // Every piece holds at least this many bytes, or all up to the end when fewer are left.
  static constexpr std::size_t kMinPiece = 4096;

  virtual ~ByteSource() = default;
  virtual std::uint64_t size() const = 0;
  // The bytes from `offset` (at most size()) on, at least min(kMinPiece, size() - offset) of
  // them; valid until the next call. Empty once a read failed.
  virtual std::span<const std::uint8_t> BytesAt(std::uint64_t offset) = 0;
  // The first offset at or after `offset` that may hold a byte other than zero: past a hole of
  // a sparse file. Never less than `offset`.
  virtual std::uint64_t DataFrom(std::uint64_t offset) { return offset; }
  // True once some bytes could not be read (the file shrank or its medium went away).
  virtual bool failed() const { return false; }
};

// Bytes already in memory.
class SpanBytes final : public ByteSource {
 public:
  explicit SpanBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  std::span<const std::uint8_t> BytesAt(std::uint64_t offset) override {
    return bytes_.subspan(static_cast<std::size_t>(offset));
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace kz
