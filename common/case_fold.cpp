#include "common/case_fold.h"

namespace kz {
namespace {

// Folds by the parity rule of the Latin Extended-A and Cyrillic blocks: within [first, last]
// capitals sit at positions of one parity and are followed by their small letter.
bool FoldPair(char32_t c, char32_t first, char32_t last, char32_t& folded) {
  if (c < first || c > last || (c - first) % 2 != 0) return false;
  folded = c + 1;
  return true;
}

void Encode(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& c) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || i + length > text.size()) return 0;
  c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  bool shortest = length < 3 || (length == 3 ? c >= 0x800 : c >= 0x10000);
  return shortest && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF) ? length : 0;
}

char32_t FoldCodePoint(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c < 0xB5) return c;
  if (c == 0xB5) return 0x3BC;  // micro sign folds to small mu
  // Latin-1: capitals with a grave to thorn, except the multiplication sign.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  char32_t folded;
  // Latin Extended-A. U+0130 and U+0131 (Turkish dotted and dotless i) have no simple folding.
  if (FoldPair(c, 0x100, 0x12F, folded) || FoldPair(c, 0x132, 0x137, folded) ||
      FoldPair(c, 0x139, 0x148, folded) || FoldPair(c, 0x14A, 0x177, folded) ||
      FoldPair(c, 0x179, 0x17E, folded)) {
    return folded;
  }
  if (c == 0x178) return 0xFF;  // Y with diaeresis
  if (c == 0x17F) return 's';   // long s
  // Greek.
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 0x25;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 0x3F;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
  if (c == 0x3C2) return 0x3C3;  // final sigma
  // Cyrillic.
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c == 0x4C0) return 0x4CF;
  if (FoldPair(c, 0x460, 0x481, folded) || FoldPair(c, 0x48A, 0x4BF, folded) ||
      FoldPair(c, 0x4C1, 0x4CE, folded) || FoldPair(c, 0x4D0, 0x52F, folded)) {
    return folded;
  }
  return c;
}

std::string FoldCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t c;
    std::size_t length = DecodeUtf8(text, i, c);
    if (length == 0) {
      out += text[i++];  // not UTF-8: kept byte for byte
      continue;
    }
    Encode(FoldCodePoint(c), out);
    i += length;
  }
  return out;
}

}  // namespace kz
