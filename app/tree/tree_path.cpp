#include "app/tree/tree_path.h"

#include <vector>

namespace kz {

std::string PathOf(const TreeItem& item) {
  std::vector<const std::string*> parts;
  for (const TreeItem* at = &item; at; at = at->parent) parts.push_back(&at->pathPart);
  std::string path;
  for (auto part = parts.rbegin(); part != parts.rend(); ++part) path += **part;
  return path;
}

std::string DrivePathPart(char letter, char separator) {
  return {letter, ':', separator};
}

std::string FolderPathPart(std::string_view name, char separator) {
  std::string part(name);
  part += separator;
  return part;
}

std::string DocumentsPathPart(std::string_view path, char separator) {
  std::string part(path);
  if (part.empty() || part.back() != separator) part += separator;
  return part;
}

namespace {

// UTF-16 units of a UTF-8 text: one per sequence, two for those beyond the basic plane.
std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (unsigned char byte : utf8) {
    if ((byte & 0xC0) != 0x80) ++units;
    if (byte >= 0xF0) ++units;
  }
  return units;
}

}  // namespace

bool FitsSearchPathLimit(std::string_view directory) {
  constexpr std::size_t kPatternLength = 3;  // "*.*"
  return Utf16Length(directory) + kPatternLength < kTreePathLimit;
}

}  // namespace kz
