#include "tests/fakes/result_rows.h"

#include "app/ids.h"
#include "common/decimal.h"
#include "common/size_kb.h"

namespace kz::testing {

namespace {

bool HasNamesakeElsewhere(const std::vector<FoundFile>& files, const FoundFile& file) {
  for (const FoundFile& other : files) {
    if (other.name == file.name && other.directory != file.directory) return true;
  }
  return false;
}

}  // namespace

void ListNamesakes(Program& program, const std::vector<FoundFile>& scanOrder,
                   std::string_view root) {
  std::int32_t id = 0;
  for (const FoundFile& file : scanOrder) {
    if (!HasNamesakeElsewhere(scanOrder, file)) continue;
    std::int32_t size = SizeInKB(program.files.FileSize(file.directory + file.name));
    for (RecordList* list : {&program.duplicateList, &program.duplicateIndex}) {
      FileRecord& record = list->insertAfterCurrent();
      record.id = id;
      record.name = file.name;
      record.directory = file.directory;
      record.sizeKB = size;
    }
    ++id;
  }
  program.duplicateList.sortByName();
  program.duplicateList.rewind();
  while (program.duplicateList.advance()) {
    const FileRecord& record = program.duplicateList.current();
    std::string below = record.directory.str();
    if (below.starts_with(root)) below.erase(0, root.size());
    program.ui.AddRow(id::kResultList, -1,
                      record.name.str() + "\n" + IntToDecimal(record.sizeKB) + " KB\n...\\" +
                          below + "\n" + IntToDecimal(record.id));
  }
}

}  // namespace kz::testing
