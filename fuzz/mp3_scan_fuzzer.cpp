// libFuzzer target for the MP3 header scan: any bytes, no read outside them, no undefined
// behaviour, and results that keep the reader's promises.

#include <cstddef>
#include <cstdint>
#include <span>

#include "mp3/mp3_scan.h"

namespace {

bool KnownFrequency(std::int32_t frequency) {
  switch (frequency) {
    case -1:
    case 44100:
    case 48000:
    case 32000:
    case 22050:
    case 24000:
    case 16000:
    case 11025:
    case 12000:
    case 8000:
      return true;
    default:
      return false;
  }
}

void Check(bool promise) {
  if (!promise) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> bytes(data, size);
  Check(kz::SkipLeadingId3v2Tags(bytes) <= size);

  kz::Mp3Info info;
  info.fileSize = 77;
  int ok = kz::ScanMp3Frames(bytes, info);
  Check(info.fileSize == 77);
  Check(KnownFrequency(info.frequency));
  Check(info.frameCount >= 0 && static_cast<std::size_t>(info.frameCount) <= size / 24);
  if (ok == 1) {
    Check(info.bitRate != 0 && info.durationMs >= 0);
    Check(info.frameCount > 0 || info.durationMs == 0);
  } else {
    // The one failure: varying rates and no counted frame.
    Check(ok == 0 && info.bitRate == 0 && info.durationMs == -1 && info.frameCount == 0);
  }
  return 0;
}
