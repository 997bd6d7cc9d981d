// libFuzzer target for the MP3 header scan and the tag search: any bytes, no read outside them,
// no undefined behaviour, results that keep the reader's promises, and the same results when
// the bytes come in small pieces, with runs of zeros reported as holes, as from a file.

#include <cstddef>
#include <cstdint>
#include <span>

#include "mp3/mp3_scan.h"
#include "mp3/mp3_tags.h"
#include "tests/fakes/piece_bytes.h"

namespace {

using kz::testing::PieceBytes;

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
  std::size_t leading = kz::SkipLeadingId3v2Tags(bytes);
  Check(leading <= size);
  kz::SpanBytes whole(bytes);
  std::uint64_t trailing = kz::TrailingTagsStart(whole, leading);
  Check(trailing >= leading && trailing <= size);

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

  PieceBytes pieces(bytes, 0);
  kz::Mp3Info pieceInfo;
  pieceInfo.fileSize = 77;
  Check(kz::ScanMp3Frames(pieces, pieceInfo) == ok);
  Check(pieceInfo.durationMs == info.durationMs && pieceInfo.bitRate == info.bitRate &&
        pieceInfo.frequency == info.frequency && pieceInfo.frameCount == info.frameCount);

  // A read that fails part way gives the failure values.
  PieceBytes failing(bytes, size > 0 ? 1 + data[0] % 4 : 1);
  kz::Mp3Info failedInfo;
  int failedOk = kz::ScanMp3Frames(failing, failedInfo);
  if (failing.failed()) {
    Check(failedOk == 0 && failedInfo.durationMs == -1 && failedInfo.bitRate == -1 &&
          failedInfo.frequency == -1 && failedInfo.frameCount == 0);
  }
  return 0;
}
