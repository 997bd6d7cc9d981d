#pragma once

#include <cstddef>
#include <cstdint>

namespace kz {

// The Layer III frame header as the header scan and the audio walk read it: shared tables, so
// that both take the same frames.

enum class MpegVersion { kMpeg1, kMpeg2, kMpeg25 };

// Layer III bit rates in kbit/s by index; -1 marks free format (0) and the forbidden index 15,
// which are never taken.
inline constexpr std::int16_t kMpeg1BitRates[16] = {-1,  32,  40,  48,  56,  64,  80,  96,
                                                    112, 128, 160, 192, 224, 256, 320, -1};
inline constexpr std::int16_t kMpeg2BitRates[16] = {-1, 8,  16, 24,  32,  40,  48,  56,
                                                    64, 80, 96, 112, 128, 144, 160, -1};

// Sampling frequencies in Hz by index; index 3 is reserved.
inline constexpr std::uint16_t kMpeg1Frequencies[3] = {44100, 48000, 32000};
inline constexpr std::uint16_t kMpeg2Frequencies[3] = {22050, 24000, 16000};
inline constexpr std::uint16_t kMpeg25Frequencies[3] = {11025, 12000, 8000};

// Frame length in bytes = kbit/s x length factor / Hz; samples per frame x 1000 = duration factor.
inline constexpr std::uint32_t kMpeg1LengthFactor = 144000;
inline constexpr std::uint32_t kMpeg2LengthFactor = 72000;
inline constexpr std::uint32_t kDurationFactorPerLength = 8;

inline constexpr std::size_t kFrameHeaderBytes = 4;

// Bits 4 to 1 of the second header byte: version and layer. False for anything but Layer III of
// a known version.
inline bool TakeVersion(std::uint8_t second, MpegVersion& version) {
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

inline std::int16_t BitRateOf(MpegVersion version, std::uint8_t third) {
  const std::int16_t* table = version == MpegVersion::kMpeg1 ? kMpeg1BitRates : kMpeg2BitRates;
  return table[third >> 4];
}

inline std::uint32_t FrequencyOf(MpegVersion version, unsigned index) {
  switch (version) {
    case MpegVersion::kMpeg1:
      return kMpeg1Frequencies[index];
    case MpegVersion::kMpeg2:
      return kMpeg2Frequencies[index];
    default:
      return kMpeg25Frequencies[index];
  }
}

inline std::uint32_t LengthFactorOf(MpegVersion version) {
  return version == MpegVersion::kMpeg1 ? kMpeg1LengthFactor : kMpeg2LengthFactor;
}

// Bytes of a frame, header included; `rate` in kbit/s (never -1), `padding` 0 or 1.
inline std::uint32_t FrameLengthOf(MpegVersion version, std::int16_t rate, std::uint32_t frequency,
                                   std::uint32_t padding) {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(rate) * LengthFactorOf(version) /
                                    frequency) +
         padding;
}

// A whole header as the audio walk takes it.
struct FrameHeader {
  bool mpeg1 = false;
  std::uint32_t length = 0;  // bytes, header included
  // The version, layer and frequency bits, which every frame of one stream shares.
  std::uint16_t stream = 0;
};

// False unless the four bytes at `header` are a Layer III header of a known version with a bit
// rate (neither free format nor index 15) and a sampling frequency.
inline bool ReadFrameHeader(const std::uint8_t* header, FrameHeader& frame) {
  MpegVersion version;
  if (header[0] != 0xFF || (header[1] & 0xE0) != 0xE0 || !TakeVersion(header[1], version)) {
    return false;
  }
  std::int16_t rate = BitRateOf(version, header[2]);
  unsigned frequencyIndex = (header[2] >> 2) & 3u;
  if (rate == -1 || frequencyIndex == 3) return false;
  frame.mpeg1 = version == MpegVersion::kMpeg1;
  frame.length =
      FrameLengthOf(version, rate, FrequencyOf(version, frequencyIndex), (header[2] >> 1) & 1u);
  frame.stream = static_cast<std::uint16_t>((header[1] & 0x1E) << 8 | (header[2] & 0x0C));
  return true;
}

}  // namespace kz
