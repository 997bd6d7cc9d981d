#include "common/trash_info.h"

namespace kz {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A '%' that starts no escape stays as it is.
std::string Unescaped(std::string_view text) {
  std::string plain;
  for (std::size_t at = 0; at < text.size(); ++at) {
    bool escape = text[at] == '%' && at + 2 < text.size() && HexValue(text[at + 1]) >= 0 &&
                  HexValue(text[at + 2]) >= 0;
    if (!escape) {
      plain.push_back(text[at]);
      continue;
    }
    plain.push_back(static_cast<char>(HexValue(text[at + 1]) * 16 + HexValue(text[at + 2])));
    at += 2;
  }
  return plain;
}

}  // namespace

std::optional<std::string> TrashInfoPath(std::string_view text) {
  bool inGroup = false;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.starts_with('[')) {
      inGroup = line == "[Trash Info]";
    } else if (inGroup && line.starts_with("Path=")) {
      return Unescaped(line.substr(5));
    }
  }
  return std::nullopt;
}

}  // namespace kz
