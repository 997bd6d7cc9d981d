#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace kz {

// What the file system says a folder or file is, whatever path text led to it: the volume (a
// device number or volume serial) and the file's number on it (an inode or file id, 128 bits
// where the file system numbers files so). Where the number is known, two paths name the same
// physical file exactly when their ids are equal: a link, a hard link or a name that path rules
// turn into another name all show up as the same id.
struct ObjectId {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  std::uint64_t fileHigh = 0;

  // 0 and all ones are no numbers: a file system without file ids answers 0, a file without a
  // unique one all ones, and a platform gives 0 where it knows the ids cannot be trusted (a
  // network drive that numbers every file 0 or hands out numbers again). Such a file is told
  // apart from others by its path alone.
  bool known() const {
    bool zero = file == 0 && fileHigh == 0;
    bool allOnes = file == ~std::uint64_t{0} && (fileHigh == 0 || fileHigh == ~std::uint64_t{0});
    return !zero && !allOnes;
  }
  friend bool operator==(const ObjectId&, const ObjectId&) = default;
};

struct ObjectIdHash {
  std::size_t operator()(const ObjectId& id) const {
    return std::hash<std::uint64_t>{}((id.file ^ id.fileHigh) * 0x9E3779B97F4A7C15ull ^ id.volume);
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
