#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kz::icons {

struct GeneratedFile {
  std::string name;  // file name inside resources/
  std::vector<std::uint8_t> bytes;
};

// Every icon file the program builds in: the seven button images (ids 17 to 23, in id order)
// and the program icon with its twelve images. The same bytes on every run.
std::vector<GeneratedFile> GenerateIconFiles();

}  // namespace kz::icons
