#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/file_record.h"
#include "core/identity_store.h"
#include "platform/file_system.h"
#include "recordings/folder_cache.h"

namespace kz {

// What a comparison knows of a listed file's recording, kept by the file's record ID: not
// compared, unreadable as audio ("?": no frames, a frame cut off, junk between frames, or no
// longer the file the search listed), or its number among the recordings of its name, counted
// from 1 in list order.
namespace recording {
constexpr std::int32_t kNotCompared = 0;
constexpr std::int32_t kUnreadable = -1;
}  // namespace recording

// The files of every name, name after name, each name's in list order: those of name n are
// files[starts[n]] up to files[starts[n + 1]], and starts ends with files.size(). Two lists
// however many names, so that a comparison leaves no block per name behind in the heap.
struct NamesFiles {
  std::vector<const FileRecord*> files;
  std::vector<std::size_t> starts{0};

  std::size_t names() const { return starts.size() - 1; }
  std::span<const FileRecord* const> Name(std::size_t name) const {
    return {files.data() + starts[name], starts[name + 1] - starts[name]};
  }
  // Ends the name whose files were added last.
  void EndName() { starts.push_back(files.size()); }
};

// Compares the audio of the files of each name: files whose audio lengths differ are different
// recordings without a read past their tags; only files of equal audio length are hashed, first
// a block at the start and one at the end of the audio, then, where those agree, the whole
// audio. Two files are one recording exactly when their whole audio is the same; a file that
// cannot be read as audio is the same recording as no other, so a ticking rule keeps it.
// Every file is opened as the removal opens it: by the identity the search recorded, its folder
// once for many of its files.
class RecordingComparison {
 public:
  // `recordings` is indexed by record ID and must be large enough for every record given.
  RecordingComparison(FileSystem& files, const IdentityStore& identities,
                      std::vector<std::int32_t>& recordings)
      : identities_(identities), recordings_(recordings), folders_(files) {}

  // Compares name after name, a few hundred files at a time. `goOn(compared)` is asked after
  // every file read, with the number of files whose names are finished; when it answers false,
  // the comparison stops, and the names not finished keep kNotCompared. True when every name
  // was finished.
  bool Compare(const NamesFiles& names, const std::function<bool(std::int32_t compared)>& goOn);

  std::int32_t compared() const { return compared_; }
  // The recordings with two or more files among the names finished.
  std::int32_t recordingsWithCopies() const { return withCopies_; }

 private:
  const IdentityStore& identities_;
  std::vector<std::int32_t>& recordings_;
  FolderCache folders_;
  std::int32_t compared_ = 0;
  std::int32_t withCopies_ = 0;
};

}  // namespace kz
