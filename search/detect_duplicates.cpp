#include "search/detect_duplicates.h"

#include <string>
#include <vector>

#include "common/size_kb.h"
#include "search/namesake_index.h"

namespace kz {

void DetectDuplicates(Program& program) {
  RecordList& found = program.foundFiles;
  // First mark the files to list, so the two lists can be given their size once instead of
  // growing (and moving) record by record. The reference records stay untouched meanwhile, so
  // the index may point into them.
  std::vector<bool> listed(static_cast<std::size_t>(found.count()));
  std::int32_t listedCount = 0;
  {
    NamesakeIndex index(program.referenceFiles);
    std::size_t at = 0;
    found.rewind();
    while (found.advance()) {
      bool elsewhere = index.hasNamesakeElsewhere(found.current());
      listed[at++] = elsewhere;
      listedCount += elsewhere ? 1 : 0;
    }
  }
  program.duplicateList.reserve(program.duplicateList.count() + listedCount);
  program.duplicateIndex.reserve(program.duplicateIndex.count() + listedCount);
  program.listedSizes.reserve(program.listedSizes.size() + static_cast<std::size_t>(listedCount));

  std::string path;
  std::size_t at = 0;
  found.rewind();
  while (found.advance()) {
    if (!listed[at++]) continue;
    const FileRecord& file = found.current();
    // The size is measured again, not copied from the scan: a file gone since then shows 1 KB.
    // One query serves both records; a second one would give the same value.
    path.assign(file.directory.view()).append(file.name.view());
    std::int64_t size = program.files.FileSize(path);
    std::int32_t sizeKB = SizeInKB(size);

    FileRecord& listedRecord = program.duplicateList.insertAfterCurrent();
    listedRecord.id = program.duplicateList.currentIndex();
    listedRecord.name = file.name;
    listedRecord.sizeKB = sizeKB;
    listedRecord.directory = file.directory;
    listedRecord.identity = file.identity;

    FileRecord& indexed = program.duplicateIndex.insertAfterCurrent();
    indexed.id = listedRecord.id;
    indexed.name = file.name;
    indexed.sizeKB = sizeKB;
    indexed.directory = file.directory;
    indexed.identity = file.identity;
    auto slot = static_cast<std::size_t>(indexed.id);
    if (program.listedSizes.size() <= slot) program.listedSizes.resize(slot + 1, -1);
    program.listedSizes[slot] = size;

    found.removeCurrent();
  }
}

}  // namespace kz
