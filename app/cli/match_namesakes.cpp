#include "app/cli/match_namesakes.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "common/case_fold.h"

namespace kz::cli {
namespace {

struct Candidate {
  const FileRecord* record;
  std::string key;  // the name as compared
  std::int64_t bytes = -1;
  std::int32_t scanOrder;
};

bool InSeveralFolders(const std::vector<Candidate*>& group) {
  for (const Candidate* each : group) {
    if (each->record->directory.view() != group.front()->record->directory.view()) return true;
  }
  return false;
}

}  // namespace

std::vector<MatchedFile> MatchNamesakes(RecordList& collected, FileSystem& files,
                                        const MatchRule& rule) {
  std::vector<Candidate> all;
  all.reserve(static_cast<std::size_t>(collected.count()));
  collected.rewind();
  while (collected.advance()) {
    const FileRecord& record = collected.current();
    std::string key = rule.ignoreCase ? FoldCase(record.name.view()) : record.name.str();
    all.push_back({&record, std::move(key), -1, static_cast<std::int32_t>(all.size())});
  }

  // Groups by name first, so that only files with a namesake somewhere are asked for a size.
  std::unordered_map<std::string_view, std::vector<Candidate*>> byName;
  for (Candidate& each : all) byName[each.key].push_back(&each);

  std::vector<Candidate*> kept;
  std::string path;
  for (auto& [key, group] : byName) {
    if (!InSeveralFolders(group)) continue;
    for (Candidate* each : group) {
      path.assign(each->record->directory.view()).append(each->record->name.view());
      each->bytes = files.FileSize(path);
    }
    if (rule.minSize >= 0) {
      std::erase_if(group, [&](const Candidate* c) { return c->bytes < rule.minSize; });
      if (group.empty() || !InSeveralFolders(group)) continue;
    }
    if (!rule.sameSize) {
      kept.insert(kept.end(), group.begin(), group.end());
      continue;
    }
    std::unordered_map<std::int64_t, std::vector<Candidate*>> bySize;
    for (Candidate* each : group) bySize[each->bytes].push_back(each);
    for (auto& [bytes, sameSize] : bySize) {
      if (InSeveralFolders(sameSize)) kept.insert(kept.end(), sameSize.begin(), sameSize.end());
    }
  }

  // IDs in scan order, as the window numbers its namesakes.
  std::sort(kept.begin(), kept.end(),
            [](const Candidate* a, const Candidate* b) { return a->scanOrder < b->scanOrder; });
  std::vector<MatchedFile> matched;
  matched.reserve(kept.size());
  std::vector<const Candidate*> source;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    matched.push_back({kept[i]->record, kept[i]->bytes, 0, static_cast<std::int32_t>(i)});
    source.push_back(kept[i]);
  }

  auto groupOf = [&](std::size_t i) {
    return std::pair<std::string_view, std::int64_t>(source[i]->key,
                                                     rule.sameSize ? source[i]->bytes : 0);
  };
  std::vector<std::size_t> order(matched.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return groupOf(a) < groupOf(b); });
  std::vector<MatchedFile> sorted;
  sorted.reserve(matched.size());
  std::int32_t group = 0;
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (k == 0 || groupOf(order[k]) != groupOf(order[k - 1])) ++group;
    sorted.push_back(matched[order[k]]);
    sorted.back().group = group;
  }
  return sorted;
}

}  // namespace kz::cli
