#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

#include "platform/file_system.h"

namespace kz {

// Below this many files a thread of its own costs more than it saves.
inline constexpr std::size_t kFilesPerSizeThread = 4096;

// Where to cut `folders` into parts of about equal numbers of files, one part per thread: the
// bounds of the parts, the first 0 and the last folders.size(). At most `threads` parts, fewer
// when there are too few files to keep that many threads busy; a folder is never split.
inline std::vector<std::size_t> SizeQuestionParts(std::span<const FolderFiles> folders,
                                                  std::size_t threads) {
  std::size_t files = 0;
  for (const FolderFiles& folder : folders) files += folder.names.size();
  std::size_t parts =
      std::clamp<std::size_t>(files / kFilesPerSizeThread, 1, std::max<std::size_t>(threads, 1));
  std::vector<std::size_t> bounds{0};
  std::size_t counted = 0;
  for (std::size_t at = 0; at < folders.size(); ++at) {
    counted += folders[at].names.size();
    // The part ends once it holds its share of all files.
    if (bounds.size() < parts && at + 1 < folders.size() &&
        counted * parts >= files * bounds.size()) {
      bounds.push_back(at + 1);
    }
  }
  bounds.push_back(folders.size());
  return bounds;
}

}  // namespace kz
