#include <windows.h>

#include <vector>

#include "platform/measuring_parts.h"
#include "platform/win32/win_file_system.h"
#include "platform/win32/win_handles.h"

namespace kz {
namespace {

// One thread's share of the folders. FileSize keeps nothing between calls, so threads may ask
// side by side.
struct MeasuringPart {
  WinFileSystem* files;
  std::span<const FolderFiles> folders;

  void Measure() const {
    for (const FolderFiles& folder : folders) {
      files->FileSizes(folder.directory, folder.names, folder.sizes);
    }
  }
  static DWORD WINAPI Run(void* part) {
    static_cast<const MeasuringPart*>(part)->Measure();
    return 0;
  }
};

}  // namespace

// Each question waits on the system's lookup of one path, and those of different folders do
// not wait on one another: spread over the cores, they take that much less time.
void WinFileSystem::FileSizesOfFolders(std::span<const FolderFiles> folders) {
  std::vector<std::size_t> bounds = MeasuringParts(folders, measuringThreads_);
  std::vector<MeasuringPart> parts;
  parts.reserve(bounds.size() - 1);  // the threads hold pointers into it
  for (std::size_t part = 0; part + 1 < bounds.size(); ++part) {
    parts.push_back({this, folders.subspan(bounds[part], bounds[part + 1] - bounds[part])});
  }
  std::vector<UniqueThread> helpers;
  for (std::size_t part = 1; part < parts.size(); ++part) {
    UniqueThread helper(CreateThread(nullptr, 0, &MeasuringPart::Run, &parts[part], 0, nullptr));
    if (helper) {
      helpers.push_back(std::move(helper));
    } else {
      parts[part].Measure();  // no thread to be had: asked here instead
    }
  }
  parts.front().Measure();
  for (const UniqueThread& helper : helpers) WaitForSingleObject(helper.get(), INFINITE);
}

}  // namespace kz
