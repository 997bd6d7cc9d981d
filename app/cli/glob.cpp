#include "app/cli/glob.h"

#include <cstddef>

namespace kz::cli {
namespace {

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Matches the bracket expression starting at pattern[p] ('[') against `c`. Sets `end` to the
// position after the closing ']'; false (and end = npos) when the bracket is not closed.
bool InSet(std::string_view pattern, std::size_t p, unsigned char c, std::size_t& end) {
  std::size_t i = p + 1;
  bool negated = i < pattern.size() && (pattern[i] == '!' || pattern[i] == '^');
  if (negated) ++i;
  bool found = false;
  bool first = true;
  for (; i < pattern.size() && (first || pattern[i] != ']'); first = false) {
    auto low = static_cast<unsigned char>(pattern[i]);
    if (i + 2 < pattern.size() && pattern[i + 1] == '-' && pattern[i + 2] != ']') {
      auto high = static_cast<unsigned char>(pattern[i + 2]);
      found = found || (low <= c && c <= high);
      i += 3;
    } else {
      found = found || low == c;
      ++i;
    }
  }
  if (i >= pattern.size()) {
    end = std::string_view::npos;
    return false;
  }
  end = i + 1;
  return found != negated;
}

}  // namespace

bool GlobMatches(std::string_view pattern, std::string_view name) {
  // Iterative matching with one backtrack point: the last `*` seen.
  std::size_t p = 0, n = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    bool advanced = false;
    if (p < pattern.size()) {
      char c = pattern[p];
      if (c == '*') {
        starP = p++;
        starN = n;
        continue;
      }
      if (c == '?') {
        ++p;
        ++n;
        while (n < name.size() && IsContinuation(name[n])) ++n;
        advanced = true;
      } else if (c == '[') {
        std::size_t end;
        if (InSet(pattern, p, static_cast<unsigned char>(name[n]), end)) {
          p = end;
          ++n;
          advanced = true;
        } else if (end == std::string_view::npos && name[n] == '[') {
          ++p;  // an unclosed '[' stands for itself
          ++n;
          advanced = true;
        }
      } else {
        if (c == '\\' && p + 1 < pattern.size()) c = pattern[++p];
        if (c == name[n]) {
          ++p;
          ++n;
          advanced = true;
        }
      }
    }
    if (advanced) continue;
    if (starP == std::string_view::npos) return false;
    p = starP + 1;
    n = ++starN;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace kz::cli
