#include "app/tree/folder_name_order.h"

#include <cstddef>

namespace kz {

namespace {

// The lower-case byte at `index` of a UTF-8 name. Upper-case Latin-1 letters (U+00C0 to
// U+00DE without the multiplication sign) are "C3 80".."C3 9E"; their lower-case forms lie
// 0x20 higher in the second byte.
unsigned char FoldedByte(std::string_view name, std::size_t index) {
  auto byte = static_cast<unsigned char>(name[index]);
  if (byte >= 'A' && byte <= 'Z') return static_cast<unsigned char>(byte + ('a' - 'A'));
  if (index > 0 && static_cast<unsigned char>(name[index - 1]) == 0xC3 && byte >= 0x80 &&
      byte <= 0x9E && byte != 0x97) {
    return static_cast<unsigned char>(byte + 0x20);
  }
  return byte;
}

}  // namespace

bool FolderNameLess(std::string_view left, std::string_view right) {
  std::size_t common = left.size() < right.size() ? left.size() : right.size();
  for (std::size_t i = 0; i < common; ++i) {
    unsigned char a = FoldedByte(left, i);
    unsigned char b = FoldedByte(right, i);
    if (a != b) return a < b;
  }
  if (left.size() != right.size()) return left.size() < right.size();
  return left < right;
}

}  // namespace kz
