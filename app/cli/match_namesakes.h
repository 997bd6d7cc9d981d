#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/record_list.h"
#include "platform/file_system.h"

namespace kz::cli {

struct MatchRule {
  bool sameSize = false;
  bool ignoreCase = false;
  std::int64_t minSize = -1;  // -1: none
};

struct MatchedFile {
  const FileRecord* record;
  std::int64_t bytes;
  std::int32_t group;  // 1, 2, ... in the order of the result
  std::int32_t id;     // position among the matched files in the order the scan found them
};

// The command line's own namesake rule over the files the scan collected (in scan order):
// files are namesakes when their names are equal (folded with `ignoreCase`), their sizes too
// with `sameSize`, and the group of them spans at least two folders; files under `minSize` bytes
// take no part. With no option set this is the window's rule. The result is sorted by name
// (byte order of the folded name), then size, then scan order.
std::vector<MatchedFile> MatchNamesakes(RecordList& collected, FileSystem& files,
                                        const MatchRule& rule);

}  // namespace kz::cli
