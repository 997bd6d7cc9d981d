#include "search/scan_folder.h"

#include <utility>

#include "common/decimal.h"
#include "common/size_kb.h"
#include "core/ids.h"
#include "search/extension_rule.h"

namespace kz {
namespace {

// Rewritten at most every 50 ms however fast entries come; a signed difference keeps the throttle
// working across the wrap of the tick counter.
void ShowProgress(Program& program) {
  auto elapsed = static_cast<std::int32_t>(program.clock.TickCount() - program.lastProgressTick);
  if (elapsed <= 50) return;
  program.lastProgressTick = program.clock.TickCount();
  program.ui.SetStatusText(
      0, " Suche nach doppelten MP3-Dateien...  [Dateien : " + IntToDecimal(program.filesFound) +
             " / Verzeichnise : " + IntToDecimal(program.directoriesEntered) + "]");
}

bool IsDotEntry(std::string_view name) {
  std::size_t first = name.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  std::string_view trimmed = name.substr(first, name.find_last_not_of(' ') - first + 1);
  return trimmed == "." || trimmed == "..";
}

// Both lists get a record of their own; the name and the directory text are shared between
// them (and later with the duplicate lists), which keeps a million records affordable. The size
// comes from the listing where it reports one, which is the value a query of the path gives
// without walking the whole path again; both records take that one value.
void Collect(Program& program, FolderListing& listing, const SharedText& directory,
             std::string_view name, std::string& path) {
  ++program.filesFound;
  EntryFacts facts = listing.Facts();
  std::int32_t identity = -1;
  if (facts.identity) {
    identity = static_cast<std::int32_t>(program.identities.size());
    program.identities.push_back(*facts.identity);
  }
  SharedText nameText(name);
  if (facts.size == -1) {
    path.assign(directory.view()).append(name);
    facts.size = program.files.FileSize(path);
  }
  std::int32_t sizeKB = SizeInKB(facts.size);
  for (RecordList* list : {&program.foundFiles, &program.referenceFiles}) {
    FileRecord& record = list->insertAfterCurrent();
    record.name = nameText;
    record.sizeKB = sizeKB;
    record.directory = directory;
    record.identity = identity;
  }
}

// A name that holds a path separator cannot be reached by a path: its path text would lead to
// a file or folder further down (Wine lists Unix names with a backslash as they are).
bool NameHoldsSeparator(std::string_view name, char separator) {
  return name.find(separator) != std::string_view::npos || name.find('/') != std::string_view::npos;
}

// Whether an opened folder is to be scanned: not visited before, and the one the parent listed
// (`listedAs`) where both are known.
bool IsWanted(LinkGuard& links, const FolderListing& listing,
              const std::optional<ObjectId>& listedAs) {
  const ObjectId& opened = listing.Folder();
  bool otherFolder = listedAs && opened.known() && listedAs->known() && *listedAs != opened;
  return !otherFolder && links.firstVisit(opened);
}

// What the scan had collected when a folder's listing opened.
struct CollectedSoFar {
  explicit CollectedSoFar(const Program& program)
      : files(program.filesFound),
        found(program.foundFiles.count()),
        reference(program.referenceFiles.count()),
        identities(program.identities.size()) {}
  std::int32_t files;
  std::int32_t found;
  std::int32_t reference;
  std::size_t identities;
};

// A listing that broke off is a folder that cannot be listed, and such a folder contributes
// nothing: not the files it delivered before the error, nor those of the subfolders entered
// from it. They are the lists' last records, and each list's cursor stands on its last one.
void Withdraw(Program& program, const CollectedSoFar& before) {
  for (auto [list, keep] : {std::pair{&program.foundFiles, before.found},
                            std::pair{&program.referenceFiles, before.reference}}) {
    while (list->count() > keep && list->hasCurrent()) list->removeCurrent();
  }
  program.identities.resize(before.identities);
  program.filesFound = before.files;
}

// Walks the open listing and, while the recursion check box is ticked, the listings of its
// subfolders, each opened from its entry. A listing closes when it goes out of scope, on every
// way out.
ScanEnd ScanListing(Program& program, LinkGuard& links, FolderListing& listing,
                    std::string_view extension) {
  Ui& ui = program.ui;
  const char separator = program.files.Separator();
  const CollectedSoFar before(program);

  SharedText directoryText;  // made at the first collected file, shared by all of this folder
  std::string path;
  while (const ListedEntry* entry = listing.Next()) {
    std::int32_t code = ui.PollEvent();
    if (code == event::kControl && ui.EventSource() == id::kSearchButton) return ScanEnd::kCutShort;
    if (code == event::kClose) return ScanEnd::kClosed;
    ShowProgress(program);

    const std::string& name = entry->name;
    if (NameHoldsSeparator(name, separator)) continue;
    if (!entry->isDirectory) {
      if (!HasExtension(name, extension)) continue;
      if (directoryText.empty()) directoryText = SharedText(listing.Directory());
      Collect(program, listing, directoryText, name, path);
      continue;
    }
    // Read at each folder entry, the only ones it decides on; the box is disabled meanwhile.
    if (IsDotEntry(name) || ui.ControlState(id::kRecursiveCheck) != 1) continue;
    if (entry->isLink && !links.mayEnter(listing.Directory() + name + separator)) continue;
    std::optional<FileIdentity> listed = listing.Facts().identity;
    if (listed && links.alreadyVisited(listed->file)) continue;
    ++program.directoriesEntered;
    // A link's own entry may describe the link rather than its target: only the opened folder
    // counts then.
    std::optional<ObjectId> subfolderId;
    if (listed && !entry->isLink) subfolderId = listed->file;
    std::unique_ptr<FolderListing> subfolder = listing.OpenEntry();
    if (!subfolder || !IsWanted(links, *subfolder, subfolderId)) continue;
    ScanEnd end = ScanListing(program, links, *subfolder, extension);
    if (end != ScanEnd::kFinished) return end;
  }
  if (listing.Failed()) Withdraw(program, before);
  return ScanEnd::kFinished;
}

}  // namespace

ScanEnd ScanFolder(Program& program, LinkGuard& links, const std::string& directory,
                   std::string_view extension) {
  std::unique_ptr<FolderListing> listing = program.files.OpenSearch(directory);
  if (!listing || !IsWanted(links, *listing, std::nullopt)) return ScanEnd::kFinished;
  return ScanListing(program, links, *listing, extension);
}

}  // namespace kz
