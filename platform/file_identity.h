#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace kz {

// What the file system says a folder or file is, whatever path text led to it: the volume (a
// device number or volume serial) and the file's number on it (an inode or file id). Two paths
// name the same physical file exactly when their ids are equal: a link, a hard link or a name
// that path rules turn into another name all show up as the same id.
struct ObjectId {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  friend bool operator==(const ObjectId&, const ObjectId&) = default;
};

struct ObjectIdHash {
  std::size_t operator()(const ObjectId& id) const {
    return std::hash<std::uint64_t>{}(id.file * 0x9E3779B97F4A7C15ull ^ id.volume);
  }
};

// A collected file as its listing reported it: which file, in which folder, as last written.
// The removal deletes a file only while all three still hold, so a file replaced, rewritten or
// moved after the search is never taken for the one the user saw.
struct FileIdentity {
  ObjectId file;
  ObjectId folder;
  std::int64_t lastWrite = 0;  // platform units; compared, never shown
  bool throughLink = false;    // the listed entry was a link to the file, not the file itself

  bool sameAs(const FileIdentity& other) const {
    return file == other.file && folder == other.folder && lastWrite == other.lastWrite;
  }
};

}  // namespace kz
