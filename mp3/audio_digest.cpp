#include <algorithm>
#include <span>

#include "mp3/audio_range.h"
#include "mp3/frame_header.h"

// XXH3 compiled into this file alone: no library to link, in the Windows builds neither.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace kz {
namespace {

// XXH3-128 of bytes handed over in spans of any size.
class Hasher {
 public:
  Hasher() {
    XXH3_INITSTATE(&state_);
    XXH3_128bits_reset(&state_);
  }
  void Add(std::span<const std::uint8_t> bytes) {
    XXH3_128bits_update(&state_, bytes.data(), bytes.size());
  }
  AudioHash Result() const {
    XXH128_hash_t hash = XXH3_128bits_digest(&state_);
    return {hash.low64, hash.high64};
  }

 private:
  XXH3_state_t state_;
};

}  // namespace

AudioDigest DigestAudio(ByteSource& bytes, const AudioBounds& bounds) {
  AudioDigest digest;
  const std::uint64_t end = bounds.end;
  if (!bounds.found || bounds.begin >= end || end > bytes.size()) return digest;
  Hasher hasher;
  std::uint64_t next = bounds.begin;    // the next frame's header
  std::uint64_t hashed = bounds.begin;  // the hash holds the bytes up to here
  std::uint16_t stream = 0;
  // Each piece is hashed whole; the frames whose headers lie in it are walked by their lengths,
  // so the walk costs a jump per frame beside the hash.
  while (hashed < end) {
    // A header cut by the last piece's end is read from a piece of its own.
    std::uint64_t at = std::min(next, hashed);
    std::span<const std::uint8_t> piece = bytes.BytesAt(at);
    std::uint64_t pieceEnd = at + std::min<std::uint64_t>(piece.size(), end - at);
    if (pieceEnd <= hashed) return digest;  // a failed read
    while (next < pieceEnd) {
      if (pieceEnd - next < kFrameHeaderBytes) {
        if (pieceEnd == end) return digest;  // a header cut off by the end
        break;
      }
      FrameHeader frame;
      if (!ReadFrameHeader(piece.data() + (next - at), frame)) return digest;
      if (digest.frames == 0) stream = frame.stream;
      if (frame.stream != stream || frame.length > end - next) return digest;
      next += frame.length;
      ++digest.frames;
    }
    hasher.Add(piece.subspan(static_cast<std::size_t>(hashed - at),
                             static_cast<std::size_t>(pieceEnd - hashed)));
    hashed = pieceEnd;
  }
  // Every frame ended before `end` or exactly at it, so the walk ended on it.
  digest.bytes = end - bounds.begin;
  digest.hash = hasher.Result();
  digest.readable = !bytes.failed();
  return digest;
}

AudioHash HashAudioBlock(ByteSource& bytes, std::uint64_t offset, std::uint64_t length) {
  const std::uint64_t size = bytes.size();
  offset = std::min(offset, size);
  const std::uint64_t end = offset + std::min(length, size - offset);
  Hasher hasher;
  for (std::uint64_t at = offset; at < end;) {
    std::span<const std::uint8_t> piece = bytes.BytesAt(at);
    if (piece.empty()) break;  // a failed read
    auto taken = static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), end - at));
    hasher.Add(piece.first(taken));
    at += taken;
  }
  return hasher.Result();
}

}  // namespace kz
