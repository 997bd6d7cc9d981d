#include "mp3/mp3_tags.h"

#include <algorithm>
#include <cstring>

namespace kz {
namespace {

constexpr std::uint64_t kId3v2HeaderBytes = 10;  // the footer has the same size
constexpr std::uint8_t kId3v2FooterFlag = 0x10;
constexpr std::uint64_t kId3v1Bytes = 128;
constexpr std::uint64_t kId3v1ExtendedBytes = 227;
constexpr std::uint64_t kApeFooterBytes = 32;  // the header has the same size
constexpr std::uint32_t kApeHasHeaderFlag = 0x80000000u;
constexpr std::uint64_t kLyricsTrailerBytes = 15;  // six size digits and "LYRICS200"
constexpr char kLyricsBegin[] = "LYRICSBEGIN";
constexpr char kLyricsV1End[] = "LYRICSEND";
constexpr std::uint64_t kLyricsV1MaxText = 5100;  // Lyrics3 v1 has no size; its text is bounded

// `count` bytes at `offset`, or null when the source cannot give them.
const std::uint8_t* BytesOf(ByteSource& bytes, std::uint64_t offset, std::uint64_t count) {
  if (offset > bytes.size() || bytes.size() - offset < count) return nullptr;
  std::span<const std::uint8_t> piece = bytes.BytesAt(offset);
  return piece.size() >= count ? piece.data() : nullptr;
}

bool StartsWith(const std::uint8_t* data, const char* text) {
  return data && std::memcmp(data, text, std::strlen(text)) == 0;
}

std::uint32_t LittleEndian32(const std::uint8_t* data) {
  return data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
}

// Size of the ID3v2 tag (header, body, footer) whose header or footer starts with `name`, from
// its ten bytes; 0 when they are not one.
std::uint64_t Id3v2Size(const std::uint8_t* tag, const char* name) {
  if (!StartsWith(tag, name) || tag[3] == 0xFF || tag[4] == 0xFF) return 0;
  std::uint64_t body = 0;
  for (int i = 6; i < 10; ++i) {
    if (tag[i] >= 0x80) return 0;
    body = (body << 7) | tag[i];  // synchsafe: seven bits a byte
  }
  std::uint64_t footer = (tag[5] & kId3v2FooterFlag) ? kId3v2HeaderBytes : 0;
  return kId3v2HeaderBytes + body + footer;
}

// Each returns where its kind of tag ending at `end` begins, or `end` when there is none that
// fits between `lowest` and `end`.

std::uint64_t Id3v1Start(ByteSource& bytes, std::uint64_t lowest, std::uint64_t end) {
  if (end - lowest < kId3v1Bytes) return end;
  std::uint64_t start = end - kId3v1Bytes;
  if (!StartsWith(BytesOf(bytes, start, 3), "TAG")) return end;
  if (start - lowest >= kId3v1ExtendedBytes &&
      StartsWith(BytesOf(bytes, start - kId3v1ExtendedBytes, 4), "TAG+")) {
    start -= kId3v1ExtendedBytes;
  }
  return start;
}

std::uint64_t ApeStart(ByteSource& bytes, std::uint64_t lowest, std::uint64_t end) {
  if (end - lowest < kApeFooterBytes) return end;
  const std::uint8_t* footer = BytesOf(bytes, end - kApeFooterBytes, kApeFooterBytes);
  if (!StartsWith(footer, "APETAGEX")) return end;
  std::uint64_t size = LittleEndian32(footer + 12);  // items and footer, without a header
  // APEv1 (version 1000) has no header; its flags are zero.
  bool hasHeader = (LittleEndian32(footer + 20) & kApeHasHeaderFlag) != 0;
  std::uint64_t whole = size + (hasHeader ? kApeFooterBytes : 0);
  if (size < kApeFooterBytes || whole > end - lowest) return end;
  std::uint64_t start = end - whole;
  if (hasHeader && !StartsWith(BytesOf(bytes, start, 8), "APETAGEX")) return end;
  return start;
}

std::uint64_t LyricsStart(ByteSource& bytes, std::uint64_t lowest, std::uint64_t end) {
  if (end - lowest < kLyricsTrailerBytes) return end;
  const std::uint8_t* trailer = BytesOf(bytes, end - kLyricsTrailerBytes, kLyricsTrailerBytes);
  if (!trailer || !StartsWith(trailer + 6, "LYRICS200")) return end;
  std::uint64_t size = 0;  // from "LYRICSBEGIN" up to the six digits
  for (int i = 0; i < 6; ++i) {
    if (trailer[i] < '0' || trailer[i] > '9') return end;
    size = size * 10 + (trailer[i] - '0');
  }
  if (size > end - lowest - kLyricsTrailerBytes) return end;
  std::uint64_t start = end - kLyricsTrailerBytes - size;
  if (size < sizeof kLyricsBegin - 1) return end;
  if (!StartsWith(BytesOf(bytes, start, sizeof kLyricsBegin - 1), kLyricsBegin)) return end;
  return start;
}

// The first offset in [from, to) where `text` lies wholly before `to`, or `to`; read piece by
// piece, each overlapping the last by all but one byte of the text.
std::uint64_t FindText(ByteSource& bytes, std::uint64_t from, std::uint64_t to, const char* text) {
  const std::size_t length = std::strlen(text);
  while (to - from >= length) {
    std::span<const std::uint8_t> piece = bytes.BytesAt(from);
    auto available = static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), to - from));
    if (available < length) return to;  // a failed read
    for (std::size_t i = 0; i + length <= available; ++i) {
      if (piece[i] == text[0] && std::memcmp(piece.data() + i, text, length) == 0) return from + i;
    }
    from += available - (length - 1);
  }
  return to;
}

// Lyrics3 v1, "LYRICSBEGIN", text and "LYRICSEND", names no size: its start is the first
// "LYRICSBEGIN" within the longest text it may hold.
std::uint64_t LyricsV1Start(ByteSource& bytes, std::uint64_t lowest, std::uint64_t end) {
  const std::uint64_t beginBytes = sizeof kLyricsBegin - 1, endBytes = sizeof kLyricsV1End - 1;
  if (end - lowest < beginBytes + endBytes) return end;
  if (!StartsWith(BytesOf(bytes, end - endBytes, endBytes), kLyricsV1End)) return end;
  std::uint64_t textEnd = end - endBytes;
  std::uint64_t from = std::max(lowest, textEnd - std::min(textEnd, kLyricsV1MaxText + beginBytes));
  std::uint64_t start = FindText(bytes, from, textEnd, kLyricsBegin);
  return start == textEnd ? end : start;
}

std::uint64_t Id3v2AtEndStart(ByteSource& bytes, std::uint64_t lowest, std::uint64_t end) {
  if (end - lowest < 2 * kId3v2HeaderBytes) return end;
  std::uint64_t size = Id3v2Size(BytesOf(bytes, end - kId3v2HeaderBytes, kId3v2HeaderBytes), "3DI");
  if (size == 0 || size > end - lowest) return end;
  // The footer repeats the header, which must be there with the same size.
  std::uint64_t start = end - size;
  if (Id3v2Size(BytesOf(bytes, start, kId3v2HeaderBytes), "ID3") != size) return end;
  return start;
}

}  // namespace

std::uint64_t LeadingTagsEnd(ByteSource& bytes) {
  std::uint64_t offset = 0;
  for (;;) {
    std::uint64_t size = Id3v2Size(BytesOf(bytes, offset, kId3v2HeaderBytes), "ID3");
    if (size == 0 || size > bytes.size() - offset) return offset;
    offset += size;
  }
}

std::uint64_t TrailingTagsStart(ByteSource& bytes, std::uint64_t lowest) {
  std::uint64_t end = bytes.size();
  if (lowest > end) return end;
  bool beforeId3v1 = false;  // Lyrics3 v1 is looked for only there, where it belongs
  for (;;) {
    std::uint64_t start = Id3v1Start(bytes, lowest, end);
    bool id3v1 = start != end;
    if (start == end) start = ApeStart(bytes, lowest, end);
    if (start == end) start = LyricsStart(bytes, lowest, end);
    if (start == end && beforeId3v1) start = LyricsV1Start(bytes, lowest, end);
    if (start == end) start = Id3v2AtEndStart(bytes, lowest, end);
    if (start == end) return end;
    end = start;
    beforeId3v1 = id3v1;
  }
}

}  // namespace kz
