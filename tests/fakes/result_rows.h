#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/program.h"

namespace kz::testing {

struct FoundFile {
  std::string directory;  // ends in the separator
  std::string name;
};

// Lists the namesakes among files collected in `scanOrder` the way the search does:
// DuplicateIndex in scan order with ids 0, 1, ..., DuplicateList the same records sorted by
// name, and one result-list row per DuplicateList record, made as the search makes them. Each
// record carries the identity a listing of its folder reports. Lets the player and removal
// tests run without a scan over a tree on disk.
void ListNamesakes(Program& program, const std::vector<FoundFile>& scanOrder,
                   std::string_view root);

}  // namespace kz::testing
