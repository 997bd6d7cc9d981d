#include <system_error>
#include <thread>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "platform/posix/size_question_parts.h"

namespace kz {

// Each question waits on the kernel's lookup of one name, and the lookups of different folders
// do not wait on one another: spread over the cores, they take that much less time.
void PosixFileSystem::FileSizesOfFolders(std::span<const FolderFiles> folders) {
  std::vector<std::size_t> bounds = SizeQuestionParts(folders, measuringThreads_);
  auto measure = [this, folders](std::size_t from, std::size_t to) {
    for (const FolderFiles& folder : folders.subspan(from, to - from)) {
      FileSizes(folder.directory, folder.names, folder.sizes);
    }
  };
  std::vector<std::jthread> helpers;
  for (std::size_t part = 1; part + 1 < bounds.size(); ++part) {
    try {
      helpers.emplace_back(measure, bounds[part], bounds[part + 1]);
    } catch (const std::system_error&) {
      measure(bounds[part], bounds[part + 1]);  // no thread to be had: asked here instead
    }
  }
  measure(bounds[0], bounds[1]);
}  // the helpers are joined as they go

}  // namespace kz
