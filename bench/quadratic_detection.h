#pragma once

#include <string>

#include "common/size_kb.h"
#include "core/program.h"

namespace kz {

// The namesake detection as plainly stated: every found file is compared with the reference
// records from the first on, until one has the same name and another directory. Its cost grows
// with the square of the files collected; it is kept as the yardstick that the indexed
// DetectDuplicates is tested and benchmarked against.
inline void DetectDuplicatesByComparingAll(Program& program) {
  RecordList& found = program.foundFiles;
  RecordList& reference = program.referenceFiles;
  found.rewind();
  while (found.advance()) {
    const FileRecord& file = found.current();
    bool elsewhere = false;
    reference.rewind();
    while (reference.advance()) {
      const FileRecord& other = reference.current();
      if (other.name.view() == file.name.view() &&
          other.directory.view() != file.directory.view()) {
        elsewhere = true;
        break;
      }
    }
    if (!elsewhere) continue;
    std::string path = file.directory + file.name.view();

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
