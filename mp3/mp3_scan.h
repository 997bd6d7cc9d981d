#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "mp3/mp3_info.h"

namespace kz {

// The offset at which the frame scan starts: past every ID3v2 tag at the front of the bytes,
// one directly after another. A tag whose size runs past the end is not skipped. The pictures
// in such tags are full of bytes that look like frame headers, so they would distort the count.
std::size_t SkipLeadingId3v2Tags(std::span<const std::uint8_t> bytes);

// Walks the Layer III frame headers of an MP3 file's bytes from the first to the last, jumping
// from each header to the next, and fills durationMs, bitRate, frequency and frameCount of
// `info` (fileSize is the caller's). Returns 1 for success, 0 for failure (headers of varying
// bit rate but no counted frame). Any bytes are safe: nothing is read outside the span.
int ScanMp3Frames(std::span<const std::uint8_t> bytes, Mp3Info& info);

}  // namespace kz
