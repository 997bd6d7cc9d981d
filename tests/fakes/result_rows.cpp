#include "tests/fakes/result_rows.h"

#include "common/decimal.h"
#include "common/size_kb.h"
#include "core/ids.h"
#include "core/result_row.h"

namespace kz::testing {

namespace {

bool HasNamesakeElsewhere(const std::vector<FoundFile>& files, const FoundFile& file) {
  for (const FoundFile& other : files) {
    if (other.name == file.name && other.directory != file.directory) return true;
  }
  return false;
}

// What a listing of the file's folder reports for it, as the scan would have recorded it.
std::int32_t IdentityOf(Program& program, const FoundFile& file) {
  std::unique_ptr<FolderListing> listing = program.files.OpenSearch(file.directory);
  while (const ListedEntry* entry = listing ? listing->Next() : nullptr) {
    if (entry->name != file.name) continue;
    std::optional<FileIdentity> listed = listing->Facts().identity;
    if (!listed) break;
    program.identities.push_back(*listed);
    return static_cast<std::int32_t>(program.identities.size() - 1);
  }
  return -1;
}

}  // namespace

void ListNamesakes(Program& program, const std::vector<FoundFile>& scanOrder,
                   std::string_view root) {
  std::int32_t id = 0;
  for (const FoundFile& file : scanOrder) {
    if (!HasNamesakeElsewhere(scanOrder, file)) continue;
    std::int64_t bytes = program.files.FileSize(file.directory + file.name);
    std::int32_t size = SizeInKB(bytes);
    program.listedSizes.push_back(bytes);
    std::int32_t identity = IdentityOf(program, file);
    for (RecordList* list : {&program.duplicateList, &program.duplicateIndex}) {
      FileRecord& record = list->insertAfterCurrent();
      record.id = id;
      record.name = file.name;
      record.directory = file.directory;
      record.sizeKB = size;
      record.identity = identity;
    }
    ++id;
  }
  program.duplicateList.sortByName();
  program.resultRoot = root;
  program.duplicateList.rewind();
  while (program.duplicateList.advance()) {
    program.ui.AddRow(id::kResultList, -1,
                      RowText(program.duplicateList.current(), root, program.files.Separator()));
  }
}

}  // namespace kz::testing
