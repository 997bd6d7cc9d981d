#include "core/sort_by_name.h"

#include <cstdint>
#include <string_view>
#include <utility>

namespace kz {

// A plain loop rather than memcmp: names are short and differ early, and under some runtimes
// memcmp is a library call that costs more than the comparison itself.
int CompareNames(std::string_view a, std::string_view b) {
  std::size_t shorter = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t at = 0; at < shorter; ++at) {
    auto left = static_cast<unsigned char>(a[at]);
    auto right = static_cast<unsigned char>(b[at]);
    if (left != right) return left < right ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

namespace {

void Exchange(std::span<FileRecord*> records, std::int64_t a, std::int64_t b) {
  if (a != b) std::swap(*records[a], *records[b]);
}

void SortRange(std::span<FileRecord*> records, std::int64_t lo, std::int64_t hi) {
  // Recurse into the smaller side and loop over the larger one, so that sorted input, whose
  // splits are lopsided with this pivot rule, cannot exhaust the stack. The order of the two
  // sub-sorts does not change the result: they work on disjoint ranges.
  while (hi - lo > 0) {
    auto name = [&](std::int64_t at) { return records[at]->name.view(); };
    std::int64_t mid = lo + (hi - lo) / 2;
    std::int64_t pivotAt;
    if (CompareNames(name(lo), name(hi)) <= 0 && CompareNames(name(mid), name(lo)) <= 0) {
      pivotAt = lo;
    } else if (CompareNames(name(lo), name(hi)) > 0) {
      pivotAt = mid;
    } else if (CompareNames(name(mid), name(hi)) < 0) {
      pivotAt = mid;
    } else {
      pivotAt = hi;
    }
    Exchange(records, pivotAt, lo);
    SharedText pivot = records[lo]->name;
    std::int64_t i = lo - 1;
    std::int64_t j = hi + 1;
    for (;;) {
      do {
        --j;
      } while (CompareNames(name(j), pivot.view()) > 0);
      do {
        ++i;
      } while (CompareNames(name(i), pivot.view()) < 0);
      if (i >= j) break;
      Exchange(records, i, j);
    }
    if (j - lo < hi - j) {
      SortRange(records, lo, j);
      lo = j + 1;
    } else {
      SortRange(records, j + 1, hi);
      hi = j;
    }
  }
}

}  // namespace

void SortRecordsByName(std::span<FileRecord*> records) {
  if (records.empty()) return;
  SortRange(records, 0, static_cast<std::int64_t>(records.size()) - 1);
}

}  // namespace kz
