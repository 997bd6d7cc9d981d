#include "app/tree/folder_name_order.h"

#include <cstddef>
#include <cstdint>

#include "common/case_fold.h"

namespace kz {

namespace {

// The base letters of the small letters U+00E0 to U+00FF ('=' keeps the code point: the
// division sign) and of U+0100 to U+017F.
constexpr std::string_view kLatin1Bases = "aaaaaaaceeeeiiiidnooooo=ouuuuyty";
constexpr std::string_view kLatinExtendedABases =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkkllllllllllnnnnnnnnnoooooooorrrrrr"
    "ssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";

// The letter's weight without case and accent: letters with the same base weigh the same. A
// letter of its own (ł, ø, đ, ß, æ, ð, þ, ħ, ŧ) weighs just above its base letter.
std::uint64_t PrimaryWeight(char32_t folded) {
  char32_t base = folded;
  unsigned variant = 0;
  if (folded >= 0xE0 && folded <= 0xFF && kLatin1Bases[folded - 0xE0] != '=') {
    base = static_cast<unsigned char>(kLatin1Bases[folded - 0xE0]);
    if (folded == 0xE6 || folded == 0xF0 || folded == 0xF8 || folded == 0xFE) variant = 1;
  } else if (folded == 0xDF) {
    base = 's';
    variant = 1;
  } else if (folded >= 0x100 && folded <= 0x17F) {
    base = static_cast<unsigned char>(kLatinExtendedABases[folded - 0x100]);
    if (folded == 0x111 || folded == 0x127 || folded == 0x142 || folded == 0x167) variant = 1;
  } else if (folded >= 0x3AC && folded <= 0x3CE) {
    // Greek small letters with tonos or dialytika.
    switch (folded) {
      case 0x3AC:
        base = 0x3B1;
        break;
      case 0x3AD:
        base = 0x3B5;
        break;
      case 0x3AE:
        base = 0x3B7;
        break;
      case 0x3AF:
      case 0x3CA:
        base = 0x3B9;
        break;
      case 0x3B0:
      case 0x3CB:
      case 0x3CD:
        base = 0x3C5;
        break;
      case 0x3CC:
        base = 0x3BF;
        break;
      case 0x3CE:
        base = 0x3C9;
        break;
      default:
        break;
    }
  } else if (folded == 0x390) {
    base = 0x3B9;
  } else if (folded == 0x451) {
    base = 0x435;  // ё next to е
  }
  return (static_cast<std::uint64_t>(base) << 2) | variant;
}

// The next character of `text` from `i` on, folded; a byte that is not UTF-8 stands for itself.
char32_t NextFolded(std::string_view text, std::size_t& i) {
  char32_t c;
  std::size_t length = DecodeUtf8(text, i, c);
  if (length == 0) {
    c = static_cast<unsigned char>(text[i]);
    length = 1;
  }
  i += length;
  return FoldCodePoint(c);
}

// Compares two names character by character by `weight`: <0, 0 or >0.
template <typename Weight>
int CompareBy(std::string_view left, std::string_view right, Weight weight) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < left.size() && j < right.size()) {
    std::uint64_t a = weight(NextFolded(left, i));
    std::uint64_t b = weight(NextFolded(right, j));
    if (a != b) return a < b ? -1 : 1;
  }
  if (i < left.size()) return 1;
  if (j < right.size()) return -1;
  return 0;
}

}  // namespace

bool FolderNameLess(std::string_view left, std::string_view right) {
  if (int order = CompareBy(left, right, PrimaryWeight)) return order < 0;
  if (int order = CompareBy(left, right, [](char32_t folded) { return std::uint64_t{folded}; })) {
    return order < 0;
  }
  return left < right;
}

}  // namespace kz
