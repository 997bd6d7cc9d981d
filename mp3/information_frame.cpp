#include "mp3/information_frame.h"

#include <cstring>

namespace kz {
namespace {

constexpr std::size_t kHeaderBytes = 4;
constexpr std::size_t kChecksumBytes = 2;
constexpr std::size_t kVbriOffset = kHeaderBytes + 32;
constexpr std::size_t kTagNameBytes = 4;

bool NameAt(std::span<const std::uint8_t> frame, std::uint32_t frameLength, std::size_t offset,
            const char* name) {
  std::size_t end = offset + kTagNameBytes;
  return end <= frameLength && end <= frame.size() &&
         std::memcmp(frame.data() + offset, name, kTagNameBytes) == 0;
}

}  // namespace

bool IsInformationFrame(std::span<const std::uint8_t> frame, bool mpeg1,
                        std::uint32_t frameLength) {
  if (frame.size() < kHeaderBytes) return false;
  bool mono = (frame[3] >> 6) == 3;     // channel mode 11
  bool checksum = (frame[1] & 1) == 0;  // protection bit clear: a checksum follows the header
  std::size_t sideInformation = mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
  std::size_t xing = kHeaderBytes + (checksum ? kChecksumBytes : 0) + sideInformation;
  return NameAt(frame, frameLength, xing, "Xing") || NameAt(frame, frameLength, xing, "Info") ||
         NameAt(frame, frameLength, kVbriOffset, "VBRI");
}

}  // namespace kz
