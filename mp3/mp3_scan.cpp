#include "mp3/mp3_scan.h"

#include <algorithm>
#include <cstring>

#include "mp3/byte_window.h"
#include "mp3/frame_header.h"
#include "mp3/information_frame.h"
#include "mp3/mp3_tags.h"

namespace kz {
namespace {

// Enough of a frame to find an information tag in it ("VBRI" 32 bytes after the header).
constexpr std::size_t kInformationBytes = 40;

}  // namespace

std::size_t SkipLeadingId3v2Tags(std::span<const std::uint8_t> bytes) {
  SpanBytes source(bytes);
  return static_cast<std::size_t>(LeadingTagsEnd(source));
}

int ScanMp3Frames(std::span<const std::uint8_t> bytes, Mp3Info& info) {
  SpanBytes source(bytes);
  return ScanMp3Frames(source, info);
}

int ScanMp3Frames(ByteSource& source, Mp3Info& info) {
  info.durationMs = -1;
  info.bitRate = -1;
  info.frequency = -1;
  info.frameCount = 0;

  std::int32_t bitRate = -1;  // kbit/s; 0 once two headers disagreed
  // kbit/s of every header taken, for the average of a variable rate. Kept in 32 bits, where it
  // wraps only past 2^32 / 448 frames (a file far beyond any real one) instead of overflowing.
  std::uint32_t rateSum = 0;
  std::uint32_t frameCount = 0;  // unsigned so that an absurdly long input wraps, not overflows
  std::uint32_t durationFactor = 0;
  auto takeRate = [&](std::int16_t rate) {
    rateSum += static_cast<std::uint32_t>(rate);
    if (bitRate == -1) {
      bitRate = rate;
    } else if (rate != bitRate) {
      bitRate = 0;
    }
  };
  bool firstFrame = true;

  // Headers are looked for between the tags; a frame may still reach into a tag at the end.
  const std::uint64_t fileEnd = source.size();
  std::uint64_t p = LeadingTagsEnd(source);
  const std::uint64_t end = std::max(p, TrailingTagsStart(source, p));
  ByteWindow window(source);

  while (p < end) {
    std::span<const std::uint8_t> here = window.At(p, kFrameHeaderBytes);
    if (here.empty()) break;  // a read failed
    const std::uint8_t* data = here.data();
    auto available = static_cast<std::size_t>(std::min<std::uint64_t>(here.size(), end - p));
    if (data[0] != 0xFF) {
      // Long stretches without a sync byte (silence) are skipped by the library's vectorised
      // search rather than byte by byte, and holes of a sparse file without reading them.
      const void* sync = std::memchr(data, 0xFF, available);
      if (sync) {
        p += static_cast<std::size_t>(static_cast<const std::uint8_t*>(sync) - data);
      } else {
        p = source.DataFrom(p + available);
      }
      continue;
    }
    if (available < 2) break;
    std::uint8_t second = data[1];
    if ((second & 0xE0) != 0xE0) {
      ++p;  // the second byte may itself start a header
      continue;
    }
    MpegVersion version;
    if (!TakeVersion(second, version)) {
      p += 2;
      continue;
    }
    // A header cut off by the end ends the scan like the end itself, so a file truncated in
    // its last frame still shows its playing time.
    if (available < kFrameHeaderBytes) break;
    std::uint8_t third = data[2];
    std::int16_t rate = BitRateOf(version, third);
    if (rate == -1) {
      p += 2;
      continue;
    }
    unsigned frequencyIndex = (third >> 2) & 3u;
    if (frequencyIndex == 3) {
      takeRate(rate);  // counted in the rate although no frame is taken
      ++p;
      continue;
    }
    std::uint32_t frequency = FrequencyOf(version, frequencyIndex);
    durationFactor = LengthFactorOf(version) * kDurationFactorPerLength;
    std::uint32_t frameLength = FrameLengthOf(version, rate, frequency, (third >> 1) & 1u);
    // An encoder's information frame comes first, often at another rate than the sound: it
    // counts as a frame (balancing the last one, never counted) but gives no bit rate.
    bool information =
        firstFrame && IsInformationFrame(window.At(p, kInformationBytes),
                                         version == MpegVersion::kMpeg1, frameLength);
    firstFrame = false;
    if (!information) takeRate(rate);
    info.frequency = static_cast<std::int32_t>(frequency);
    if (frameLength >= fileEnd - p) break;  // the frame ends at or past the end: not counted
    p += frameLength;
    ++frameCount;
  }

  if (source.failed()) {
    info.frequency = -1;  // the file changed under the scan: nothing it found holds
    return 0;
  }
  info.frameCount = static_cast<std::int32_t>(frameCount);
  bitRate *= 1000;
  info.bitRate = bitRate;
  if (bitRate == 0) {
    if (frameCount == 0) return 0;
    // Quotients beyond 32 bits come only from contrived content; they keep their low 32 bits
    // and are negated in unsigned arithmetic, so no value can fault.
    auto average =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(rateSum) * 1000u / frameCount);
    info.bitRate = static_cast<std::int32_t>(0u - average);
  }
  // With no frame counted the product is 0, also while frequency still holds -1.
  info.durationMs = static_cast<std::int32_t>(
      static_cast<std::uint32_t>(static_cast<std::uint64_t>(frameCount) * durationFactor /
                                 static_cast<std::uint32_t>(info.frequency)));
  return 1;
}

}  // namespace kz
