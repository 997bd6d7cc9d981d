#include "search/detect_duplicates.h"

#include <string_view>
#include <unordered_map>

#include "common/size_kb.h"

namespace kz {
namespace {

// Where a name occurs among the reference records. A found file has a namesake elsewhere exactly
// when its name occurs in two different directories, or in one that is not its own; so the first
// directory and whether another one exists answer it, without comparing every pair of files.
struct Occurrence {
  const SharedText* firstDirectory;
  bool inSeveralDirectories;
};

using NameIndex = std::unordered_map<std::string_view, Occurrence>;

NameIndex IndexByName(RecordList& reference) {
  NameIndex index;
  index.reserve(static_cast<std::size_t>(reference.count()));
  reference.rewind();
  while (reference.advance()) {
    const FileRecord& record = reference.current();
    auto [at, inserted] =
        index.try_emplace(record.name.view(), Occurrence{&record.directory, false});
    if (!inserted && !at->second.inSeveralDirectories &&
        !(*at->second.firstDirectory == record.directory)) {
      at->second.inSeveralDirectories = true;
    }
  }
  return index;
}

bool HasNamesakeElsewhere(const NameIndex& index, const FileRecord& file) {
  auto at = index.find(file.name.view());
  if (at == index.end()) return false;
  return at->second.inSeveralDirectories || !(*at->second.firstDirectory == file.directory);
}

}  // namespace

void DetectDuplicates(Program& program) {
  // The reference records stay untouched below, so the index may point into them.
  NameIndex index = IndexByName(program.referenceFiles);
  RecordList& found = program.foundFiles;
  std::string path;
  found.rewind();
  while (found.advance()) {
    const FileRecord& file = found.current();
    if (!HasNamesakeElsewhere(index, file)) continue;
    // Sizes are measured again, not copied from the scan: a file gone since then shows 1 KB.
    path.assign(file.directory.view()).append(file.name.view());

    FileRecord& listed = program.duplicateList.insertAfterCurrent();
    listed.id = program.duplicateList.currentIndex();
    listed.name = file.name;
    listed.sizeKB = SizeInKB(program.files.FileSize(path));
    listed.directory = file.directory;

    FileRecord& indexed = program.duplicateIndex.insertAfterCurrent();
    indexed.id = listed.id;
    indexed.name = file.name;
    indexed.sizeKB = SizeInKB(program.files.FileSize(path));
    indexed.directory = file.directory;

    found.removeCurrent();
  }
}

}  // namespace kz
