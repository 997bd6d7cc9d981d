#include <algorithm>
#include <cstring>

#include "mp3/audio_range.h"
#include "mp3/byte_window.h"
#include "mp3/frame_header.h"
#include "mp3/information_frame.h"
#include "mp3/mp3_tags.h"

namespace kz {
namespace {

// How far after the leading tags the first frame may start: padding or a broken tag before
// the audio is passed over, a file of other content is not searched through.
constexpr std::uint64_t kSearchBytes = 64 * 1024;
// Enough of a frame to find an information tag in it ("VBRI" 32 bytes after the header).
constexpr std::size_t kInformationBytes = 40;

// True when a frame header at `p` is followed by another of the same stream where its length
// says, both before `end`; `frame` is then the first.
bool FramePairAt(ByteWindow& window, std::uint64_t p, std::uint64_t end, FrameHeader& frame) {
  std::span<const std::uint8_t> here = window.At(p, kFrameHeaderBytes);
  if (end - p < kFrameHeaderBytes || here.size() < kFrameHeaderBytes ||
      !ReadFrameHeader(here.data(), frame) || frame.length > end - p - kFrameHeaderBytes) {
    return false;
  }
  std::span<const std::uint8_t> there = window.At(p + frame.length, kFrameHeaderBytes);
  FrameHeader next;
  return there.size() >= kFrameHeaderBytes && ReadFrameHeader(there.data(), next) &&
         next.stream == frame.stream;
}

}  // namespace

AudioBounds FindAudioBounds(ByteSource& bytes) {
  AudioBounds bounds;
  bounds.begin = LeadingTagsEnd(bytes);
  bounds.end = std::max(bounds.begin, TrailingTagsStart(bytes, bounds.begin));
  ByteWindow window(bytes);
  const std::uint64_t last = std::min(bounds.end, bounds.begin + kSearchBytes);
  for (std::uint64_t p = bounds.begin; p < last;) {
    std::span<const std::uint8_t> here = window.At(p, kFrameHeaderBytes);
    if (here.empty()) break;  // a read failed
    auto available = static_cast<std::size_t>(std::min<std::uint64_t>(here.size(), last - p));
    // Padding before the audio is passed over by the library's vectorised search.
    const void* sync = std::memchr(here.data(), 0xFF, available);
    if (!sync) {
      p += available;
      continue;
    }
    p += static_cast<std::size_t>(static_cast<const std::uint8_t*>(sync) - here.data());
    FrameHeader frame;
    if (!FramePairAt(window, p, bounds.end, frame)) {
      ++p;
      continue;
    }
    // An encoder's information frame describes the audio but is none of it.
    if (IsInformationFrame(window.At(p, kInformationBytes), frame.mpeg1, frame.length)) {
      p += frame.length;
    }
    bounds.begin = p;
    bounds.found = true;
    break;
  }
  if (bytes.failed()) bounds.found = false;
  return bounds;
}

}  // namespace kz
