#include "mp3/mp3_scan.h"

#include <cstring>

namespace kz {
namespace {

enum class MpegVersion { kMpeg1, kMpeg2, kMpeg25 };

// Layer III bit rates in kbit/s by index; -1 marks free format (0) and the forbidden index 15,
// which are never taken.
constexpr std::int16_t kMpeg1BitRates[16] = {-1,  32,  40,  48,  56,  64,  80,  96,
                                             112, 128, 160, 192, 224, 256, 320, -1};
constexpr std::int16_t kMpeg2BitRates[16] = {-1, 8,  16, 24,  32,  40,  48,  56,
                                             64, 80, 96, 112, 128, 144, 160, -1};

// Sampling frequencies in Hz by index; index 3 is reserved.
constexpr std::uint16_t kMpeg1Frequencies[3] = {44100, 48000, 32000};
constexpr std::uint16_t kMpeg2Frequencies[3] = {22050, 24000, 16000};
constexpr std::uint16_t kMpeg25Frequencies[3] = {11025, 12000, 8000};

// Frame length in bytes = kbit/s x length factor / Hz; samples per frame x 1000 = duration factor.
constexpr std::uint32_t kMpeg1LengthFactor = 144000;
constexpr std::uint32_t kMpeg2LengthFactor = 72000;
constexpr std::uint32_t kDurationFactorPerLength = 8;

constexpr std::size_t kId3HeaderBytes = 10;
constexpr std::uint8_t kId3FooterFlag = 0x10;

// Bits 4 to 1 of the second header byte: version and layer. False for anything but Layer III of
// a known version.
bool TakeVersion(std::uint8_t second, MpegVersion& version) {
  switch (second & 0x1E) {
    case 0x1A:
      version = MpegVersion::kMpeg1;
      return true;
    case 0x12:
      version = MpegVersion::kMpeg2;
      return true;
    case 0x02:
      version = MpegVersion::kMpeg25;
      return true;
    default:
      return false;
  }
}

std::int16_t BitRateOf(MpegVersion version, std::uint8_t third) {
  const std::int16_t* table = version == MpegVersion::kMpeg1 ? kMpeg1BitRates : kMpeg2BitRates;
  return table[third >> 4];
}

std::uint32_t FrequencyOf(MpegVersion version, unsigned index) {
  switch (version) {
    case MpegVersion::kMpeg1:
      return kMpeg1Frequencies[index];
    case MpegVersion::kMpeg2:
      return kMpeg2Frequencies[index];
    default:
      return kMpeg25Frequencies[index];
  }
}

std::uint32_t LengthFactorOf(MpegVersion version) {
  return version == MpegVersion::kMpeg1 ? kMpeg1LengthFactor : kMpeg2LengthFactor;
}

// The size of the ID3v2 tag at `offset` with its header and footer, or 0 when none starts there.
std::size_t Id3v2TagSize(std::span<const std::uint8_t> bytes, std::size_t offset) {
  if (bytes.size() - offset < kId3HeaderBytes) return 0;
  const std::uint8_t* tag = bytes.data() + offset;
  if (tag[0] != 'I' || tag[1] != 'D' || tag[2] != '3' || tag[3] == 0xFF || tag[4] == 0xFF) {
    return 0;
  }
  std::size_t bodySize = 0;
  for (int i = 6; i < 10; ++i) {
    if (tag[i] >= 0x80) return 0;
    bodySize = (bodySize << 7) | tag[i];  // synchsafe: seven bits a byte
  }
  std::size_t footer = (tag[5] & kId3FooterFlag) ? kId3HeaderBytes : 0;
  return kId3HeaderBytes + bodySize + footer;
}

}  // namespace

std::size_t SkipLeadingId3v2Tags(std::span<const std::uint8_t> bytes) {
  std::size_t offset = 0;
  for (;;) {
    std::size_t size = Id3v2TagSize(bytes, offset);
    if (size == 0 || size > bytes.size() - offset) return offset;
    offset += size;
  }
}

int ScanMp3Frames(std::span<const std::uint8_t> bytes, Mp3Info& info) {
  info.durationMs = -1;
  info.bitRate = -1;
  info.frequency = -1;
  info.frameCount = 0;

  const std::uint8_t* data = bytes.data();
  const std::size_t end = bytes.size();
  std::int32_t bitRate = -1;     // kbit/s; 0 once two headers disagreed
  std::uint32_t rateSum = 0;     // kbit/s of every header taken; wraps like the 32-bit original
  std::uint32_t frameCount = 0;  // unsigned so that an absurdly long input wraps, not overflows
  std::uint32_t durationFactor = 0;
  std::size_t p = SkipLeadingId3v2Tags(bytes);

  while (p < end) {
    if (data[p] != 0xFF) {
      // Long stretches without a sync byte (silence, holes of sparse files) are skipped by the
      // library's vectorised search rather than byte by byte.
      const void* sync = std::memchr(data + p, 0xFF, end - p);
      if (!sync) break;
      p = static_cast<std::size_t>(static_cast<const std::uint8_t*>(sync) - data);
    }
    if (end - p < 2) break;
    std::uint8_t second = data[p + 1];
    if ((second & 0xE0) != 0xE0) {
      ++p;  // the second byte may itself start a header
      continue;
    }
    MpegVersion version;
    if (!TakeVersion(second, version)) {
      p += 2;
      continue;
    }
    // A header cut off by the end of the file ends the scan like the end itself, so a file
    // truncated in its last frame still shows its playing time.
    if (end - p < 4) break;
    std::uint8_t third = data[p + 2];
    std::int16_t rate = BitRateOf(version, third);
    if (rate == -1) {
      p += 2;
      continue;
    }
    rateSum += static_cast<std::uint32_t>(rate);
    if (bitRate == -1) {
      bitRate = rate;
    } else if (rate != bitRate) {
      bitRate = 0;
    }
    unsigned frequencyIndex = (third >> 2) & 3u;
    if (frequencyIndex == 3) {
      ++p;
      continue;
    }
    std::uint32_t frequency = FrequencyOf(version, frequencyIndex);
    info.frequency = static_cast<std::int32_t>(frequency);
    std::uint32_t lengthFactor = LengthFactorOf(version);
    durationFactor = lengthFactor * kDurationFactorPerLength;
    std::uint32_t padding = (third >> 1) & 1u;
    std::uint32_t frameLength =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(rate) * lengthFactor / frequency) +
        padding;
    if (frameLength >= end - p) break;  // the frame ends at or past the end: not counted
    p += frameLength;
    ++frameCount;
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
