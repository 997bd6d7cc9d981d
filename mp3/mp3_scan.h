#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/mp3_info.h"
#include "mp3/byte_source.h"

namespace kz {

// The offset past the ID3v2 tags at the front of the bytes, where the frame scan starts.
std::size_t SkipLeadingId3v2Tags(std::span<const std::uint8_t> bytes);

// Walks the Layer III frame headers of an MP3 file's bytes from the first to the last, jumping
// from each header to the next, and fills durationMs, bitRate, frequency and frameCount of
// `info` (fileSize is the caller's). Headers are looked for only between the tags at the front
// and at the end. Returns 1 for success, 0 for failure: headers of varying bit rate but no
// counted frame, or bytes that could not be read (then every field it fills is -1, frameCount
// 0). Any bytes are safe: nothing is read outside the source.
int ScanMp3Frames(ByteSource& source, Mp3Info& info);
int ScanMp3Frames(std::span<const std::uint8_t> bytes, Mp3Info& info);

}  // namespace kz
