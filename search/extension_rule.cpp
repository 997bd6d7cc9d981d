#include "search/extension_rule.h"

namespace kz {

std::string_view ExtensionPart(std::string_view name) {
  std::size_t last = name.find_last_of("./\\");
  if (last == std::string_view::npos || name[last] != '.') return {};
  std::string_view after = name.substr(last + 1);
  return after.substr(0, after.find('"'));
}

unsigned char UpperCased(unsigned char byte) {
  if ((byte >= 'a' && byte <= 'z') || byte >= 224) return static_cast<unsigned char>(byte - 32);
  return byte;
}

bool HasExtension(std::string_view name, std::string_view extension) {
  std::string_view part = ExtensionPart(name);
  if (part.size() != extension.size()) return false;
  for (std::size_t i = 0; i < part.size(); ++i) {
    if (UpperCased(static_cast<unsigned char>(part[i])) !=
        UpperCased(static_cast<unsigned char>(extension[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace kz
