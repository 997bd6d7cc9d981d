#include "search/drop_repeated_files.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kz {
namespace {

struct Collected {
  ObjectId file;
  bool throughLink;
  std::int32_t position;  // in FoundFiles, which ReferenceFiles mirrors record for record
};

void RemoveMarked(RecordList& list, const std::vector<bool>& dropped) {
  std::size_t at = 0;
  list.rewind();
  while (list.advance()) {
    if (dropped[at++]) list.removeCurrent();
  }
}

}  // namespace

void DropRepeatedFiles(Program& program) {
  std::vector<Collected> collected;
  collected.reserve(static_cast<std::size_t>(program.foundFiles.count()));
  std::int32_t position = 0;
  program.foundFiles.rewind();
  while (program.foundFiles.advance()) {
    std::int32_t identity = program.foundFiles.current().identity;
    if (identity >= 0) {
      FileIdentity listed = program.identities[static_cast<std::size_t>(identity)];
      // A file without a known id cannot be shown to be another's second path: it stays.
      if (listed.file.known())
        collected.push_back(Collected{listed.file, listed.throughLink, position});
    }
    ++position;
  }
  auto order = [](const Collected& a, const Collected& b) {
    if (a.file.volume != b.file.volume) return a.file.volume < b.file.volume;
    if (a.file.file != b.file.file) return a.file.file < b.file.file;
    if (a.file.fileHigh != b.file.fileHigh) return a.file.fileHigh < b.file.fileHigh;
    if (a.throughLink != b.throughLink) return !a.throughLink;
    return a.position < b.position;
  };
  std::sort(collected.begin(), collected.end(), order);

  std::vector<bool> dropped(static_cast<std::size_t>(position));
  bool any = false;
  for (std::size_t at = 1; at < collected.size(); ++at) {
    if (collected[at].file == collected[at - 1].file) {
      dropped[static_cast<std::size_t>(collected[at].position)] = true;
      any = true;
    }
  }
  if (!any) return;
  RemoveMarked(program.foundFiles, dropped);
  RemoveMarked(program.referenceFiles, dropped);
}

}  // namespace kz
