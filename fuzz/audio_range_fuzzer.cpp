// libFuzzer target for the audio's bounds, walk and hash: any bytes and any bounds, no read
// outside them, no undefined behaviour, results that keep the promises of mp3/audio_range.h, and
// the same results when the bytes come in small pieces; a read that fails makes nothing readable.

#include <cstddef>
#include <cstdint>
#include <span>

#include "mp3/audio_range.h"
#include "tests/fakes/piece_bytes.h"

namespace {

using kz::testing::PieceBytes;

void Check(bool promise) {
  if (!promise) __builtin_trap();
}

// Unreadable digests are equal whatever their other fields hold.
bool Same(const kz::AudioDigest& a, const kz::AudioDigest& b) {
  return a.readable == b.readable &&
         (!a.readable || (a.frames == b.frames && a.bytes == b.bytes && a.hash == b.hash));
}

// The digest of `bounds` over the whole bytes and over pieces, which must agree.
kz::AudioDigest Digest(std::span<const std::uint8_t> bytes, const kz::AudioBounds& bounds) {
  kz::SpanBytes whole(bytes);
  kz::AudioDigest digest = kz::DigestAudio(whole, bounds);
  if (digest.readable) {
    // The shortest Layer III frame has 24 bytes.
    Check(digest.frames > 0 && digest.bytes == bounds.end - bounds.begin &&
          digest.bytes / 24 >= digest.frames);
    Check(digest.hash == kz::HashAudioBlock(whole, bounds.begin, digest.bytes));
  }
  PieceBytes pieces(bytes);
  Check(Same(kz::DigestAudio(pieces, bounds), digest));
  return digest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> bytes(data, size);
  kz::SpanBytes whole(bytes);
  kz::AudioBounds bounds = kz::FindAudioBounds(whole);
  Check(bounds.begin <= bounds.end && bounds.end <= size);
  Check(!bounds.found || bounds.end - bounds.begin >= 4);  // a whole header at least
  PieceBytes pieces(bytes);
  kz::AudioBounds pieceBounds = kz::FindAudioBounds(pieces);
  Check(pieceBounds.found == bounds.found && pieceBounds.begin == bounds.begin &&
        pieceBounds.end == bounds.end);
  Digest(bytes, bounds);

  // Bounds that no search gave, past the end too, as a caller may keep them from an older file.
  std::uint64_t pick = size > 0 ? data[0] : 0, pick2 = size > 1 ? data[1] : 0;
  kz::AudioBounds any{pick * 61 % (size + 1), size + 1 - pick2 % 3, true};
  Digest(bytes, any);

  // Blocks anywhere, clamped to the bytes.
  std::uint64_t offset = pick2 * 97, length = pick * 131;
  Check(kz::HashAudioBlock(whole, offset, length) == kz::HashAudioBlock(pieces, offset, length));
  Check(kz::HashAudioBlock(whole, offset, UINT64_MAX) == kz::HashAudioBlock(whole, offset, size));

  // A read that fails after a few pieces.
  std::size_t failAt = 1 + pick % 8;
  PieceBytes failingSearch(bytes, failAt);
  if (kz::FindAudioBounds(failingSearch).found) Check(!failingSearch.failed());
  PieceBytes failingWalk(bytes, failAt);
  if (kz::DigestAudio(failingWalk, bounds).readable) Check(!failingWalk.failed());
  return 0;
}
