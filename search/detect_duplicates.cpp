#include "search/detect_duplicates.h"

#include <string_view>
#include <vector>

#include "common/size_kb.h"
#include "search/namesake_index.h"

namespace kz {
namespace {

// The size of every file to list, measured again now, not copied from the scan: a file gone
// since then shows 1 KB. The files of a folder stand together in scan order, so each run of them
// is asked for as one folder's files, and the file system may ask for many folders at once.
std::vector<std::int64_t> MeasureListed(RecordList& found, const std::vector<bool>& listed,
                                        std::int32_t listedCount, FileSystem& files) {
  auto count = static_cast<std::size_t>(listedCount);
  std::vector<std::int64_t> sizes(count);
  std::vector<std::string_view> names;
  names.reserve(count);  // the folders' spans point into it
  std::vector<FolderFiles> folders;
  SharedText runFolder;
  std::size_t runStart = 0;
  auto endRun = [&] {
    if (names.size() == runStart) return;
    std::size_t length = names.size() - runStart;
    folders.push_back(FolderFiles{
        runFolder.view(), std::span<const std::string_view>(names).subspan(runStart, length),
        std::span<std::int64_t>(sizes).subspan(runStart, length)});
    runStart = names.size();
  };
  std::size_t at = 0;
  found.rewind();
  while (found.advance()) {
    if (!listed[at++]) continue;
    const FileRecord& file = found.current();
    if (names.size() != runStart && !file.directory.SharesTextWith(runFolder) &&
        file.directory.view() != runFolder.view()) {
      endRun();
    }
    if (names.size() == runStart) runFolder = file.directory;
    names.push_back(file.name.view());
  }
  endRun();
  files.FileSizesOfFolders(folders);
  return sizes;
}

}  // namespace

void DetectDuplicates(Program& program) {
  RecordList& found = program.foundFiles;
  // First mark the files to list, so the two lists can be given their size once instead of
  // growing record by record. The reference records stay untouched meanwhile, so the index may
  // point into them.
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
  std::vector<std::int64_t> sizes = MeasureListed(found, listed, listedCount, program.files);
  // Addressed by the records' IDs, which the loop below hands out one after another from the
  // list's length on: sized once for them all.
  program.listedSizes.resize(static_cast<std::size_t>(program.duplicateIndex.count()) +
                                 static_cast<std::size_t>(listedCount),
                             -1);

  std::size_t at = 0;
  std::size_t measured = 0;
  found.rewind();
  while (found.advance()) {
    if (!listed[at++]) continue;
    const FileRecord& file = found.current();
    std::int64_t size = sizes[measured++];
    // One measure serves both records; a second one would give the same value.
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
    program.listedSizes[static_cast<std::size_t>(indexed.id)] = size;

    found.removeCurrent();
  }
}

}  // namespace kz
