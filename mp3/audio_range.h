#pragma once

#include <cstdint>

#include "mp3/byte_source.h"

namespace kz {

// The audio of an MP3 file, its frames without the tags around them, so that files whose tags
// alone differ compare equal. Any bytes are safe: nothing is read outside the source.

// Where a file's audio lies, from its first and last bytes alone (tags, first frame,
// information frame): no read in between.
struct AudioBounds {
  std::uint64_t begin = 0;  // the first audio frame (past the information frame, if any)
  std::uint64_t end = 0;    // where the tags at the end begin (the file size without them)
  // A first frame was found (a header followed by another valid header where its length says,
  // within 64 KiB after the leading tags).
  bool found = false;
  std::uint64_t length() const { return found && end > begin ? end - begin : 0; }
};
AudioBounds FindAudioBounds(ByteSource& bytes);

struct AudioHash {
  std::uint64_t low = 0, high = 0;
  friend bool operator==(const AudioHash&, const AudioHash&) = default;
};

// The audio itself: every frame from bounds.begin walked and hashed.
struct AudioDigest {
  std::uint32_t frames = 0;  // audio frames (the information frame not counted)
  std::uint64_t bytes = 0;   // the audio's length: begin up to the end of the last whole frame
  AudioHash hash;            // XXH3-128 of those bytes
  // False: no frames, a frame cut off at the end, junk between frames, bytes that could not be
  // read. The other fields then mean nothing.
  bool readable = false;
};
AudioDigest DigestAudio(ByteSource& bytes, const AudioBounds& bounds);

// XXH3-128 of the bytes [offset, offset + length) (clamped to the source's size), for the quick
// first comparison of a block at the start and one at the end of the audio. After a failed read
// (bytes.failed()) the hash means nothing.
AudioHash HashAudioBlock(ByteSource& bytes, std::uint64_t offset, std::uint64_t length);

}  // namespace kz
