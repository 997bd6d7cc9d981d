#include "recordings/recording_comparison.h"

#include <algorithm>
#include <map>
#include <memory>
#include <numeric>
#include <tuple>

#include "mp3/audio_range.h"
#include "mp3/file_bytes.h"
#include "recordings/folder_cache.h"

namespace kz {
namespace {

// Files compared together: their folders are opened once for all of them, and a stop leaves
// at most this many files' work undone.
constexpr std::size_t kFilesAtOnce = 256;
// The blocks hashed at the start and at the end of the audio before the whole of it.
constexpr std::uint64_t kBlockBytes = 16 * 1024;
// Where only the ends of a file are read, it is read in pieces of this size.
constexpr std::size_t kEndsPiece = 16 * 1024;

// One file on its way through the comparison.
struct Candidate {
  const FileRecord* record = nullptr;
  std::size_t name = 0;      // in the chunk's names
  bool readable = true;      // false: "?", the same recording as no other
  bool needsBlocks = false;  // another file of its name has the same audio length
  bool needsWhole = false;   // ... and the same blocks
  // The whole file came with the first read, so its blocks and its digest were taken from it
  // at once: a small file is opened and read once, where the opens would cost more than the
  // reads.
  bool inMemory = false;
  AudioBounds bounds;
  AudioHash head, tail;
  AudioDigest digest;
};

enum class Step { kBounds, kBlocks, kWhole };

class Chunk {
 public:
  Chunk(FolderCache& folders, const IdentityStore& identities)
      : identities_(identities), folders_(folders) {}

  void Add(std::size_t name, std::span<const FileRecord* const> files) {
    for (const FileRecord* record : files) {
      Candidate each;
      each.record = record;
      each.name = name;
      candidates_.push_back(each);
    }
  }
  std::size_t size() const { return candidates_.size(); }

  // Reads what `step` needs of every candidate that needs it, folder by folder; false when
  // goOn says stop.
  template <class GoOn>
  bool Read(Step step, GoOn& goOn) {
    std::vector<std::size_t> order;
    for (std::size_t at = 0; at < candidates_.size(); ++at) {
      const Candidate& each = candidates_[at];
      bool wanted = each.readable && (step == Step::kBounds ||
                                      (step == Step::kBlocks ? each.needsBlocks : each.needsWhole));
      if (wanted) order.push_back(at);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      return candidates_[a].record->directory.view() < candidates_[b].record->directory.view();
    });
    for (std::size_t at : order) {
      ReadOne(candidates_[at], step);
      if (!goOn()) return false;
    }
    return true;
  }

  // Marks which candidates the next step must read: those that share what was compared so far
  // with another readable file of their name.
  void MarkSharing(Step done) {
    std::map<std::tuple<std::size_t, std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t,
                        std::uint64_t>,
             std::vector<Candidate*>>
        same;
    for (Candidate& each : candidates_) {
      if (!each.readable || (done == Step::kBlocks && !each.needsBlocks)) continue;
      std::uint64_t length = each.bounds.length();
      if (done == Step::kBounds) {
        same[{each.name, length, 0, 0, 0, 0}].push_back(&each);
      } else {
        same[{each.name, length, each.head.low, each.head.high, each.tail.low, each.tail.high}]
            .push_back(&each);
      }
    }
    for (auto& [key, files] : same) {
      if (files.size() < 2) continue;
      for (Candidate* each : files)
        (done == Step::kBounds ? each->needsBlocks : each->needsWhole) = true;
    }
  }

  // Numbers the recordings of each name in list order; returns those with two or more files.
  std::int32_t Number(std::vector<std::int32_t>& recordings) const {
    std::int32_t withCopies = 0;
    std::size_t at = 0;
    while (at < candidates_.size()) {
      std::size_t end = at;
      while (end < candidates_.size() && candidates_[end].name == candidates_[at].name) ++end;
      std::vector<std::int32_t> numbers(end - at, recording::kUnreadable);
      std::vector<std::int32_t> copies;  // files of each number, by number - 1
      for (std::size_t i = at; i < end; ++i) {
        const Candidate& each = candidates_[i];
        if (!each.readable) continue;
        std::int32_t number = 0;
        for (std::size_t j = at; j < i && number == 0; ++j) {
          if (SameRecording(candidates_[j], each)) number = numbers[j - at];
        }
        if (number == 0) {
          copies.push_back(0);
          number = static_cast<std::int32_t>(copies.size());
        }
        ++copies[static_cast<std::size_t>(number - 1)];
        numbers[i - at] = number;
      }
      for (std::size_t i = at; i < end; ++i) {
        recordings[static_cast<std::size_t>(candidates_[i].record->id)] = numbers[i - at];
      }
      withCopies += static_cast<std::int32_t>(
          std::count_if(copies.begin(), copies.end(), [](std::int32_t n) { return n >= 2; }));
      at = end;
    }
    return withCopies;
  }

 private:
  // Only files whose whole audio was hashed can be the same; those were readable to the end.
  static bool SameRecording(const Candidate& a, const Candidate& b) {
    return a.readable && b.readable && a.needsWhole && b.needsWhole && a.digest.readable &&
           b.digest.readable && a.digest.bytes == b.digest.bytes &&
           a.digest.frames == b.digest.frames && a.digest.hash == b.digest.hash;
  }

  void ReadOne(Candidate& each, Step step) {
    if (step != Step::kBounds && each.inMemory) {
      if (step == Step::kWhole) each.readable = each.digest.readable;
      return;
    }
    const FileRecord& record = *each.record;
    if (record.identity < 0) {
      each.readable = false;
      return;
    }
    FileIdentity listed = identities_[static_cast<std::size_t>(record.identity)];
    ListedFolder* folder = folders_.Get(record.directory.view(), listed.folder);
    std::unique_ptr<ReadOnlyFile> file =
        folder ? folder->OpenFile(record.name.view(), listed) : nullptr;
    if (!file) {
      each.readable = false;  // no longer the file listed, or unreadable
      return;
    }
    FileBytes bytes(*file, step == Step::kWhole ? FileBytes::kChunk : kEndsPiece);
    switch (step) {
      case Step::kBounds: {
        // A small file is read whole first, so every later look is at the buffer.
        bool small = file->size() <= kEndsPiece;
        if (small) bytes.BytesAt(0);
        each.bounds = FindAudioBounds(bytes);
        each.readable = each.bounds.found && each.bounds.length() > 0;
        if (small && each.readable && !bytes.failed()) {
          HashBlocks(each, bytes);
          each.digest = DigestAudio(bytes, each.bounds);
          each.inMemory = true;
        }
        break;
      }
      case Step::kBlocks:
        HashBlocks(each, bytes);
        break;
      case Step::kWhole:
        each.digest = DigestAudio(bytes, each.bounds);
        each.readable = each.digest.readable;
        break;
    }
    if (bytes.failed()) each.readable = false;
  }

  // The file is the one the search listed, as last written then: its audio lies where the
  // bounds were found.
  static void HashBlocks(Candidate& each, ByteSource& bytes) {
    std::uint64_t block = std::min(kBlockBytes, each.bounds.length());
    each.head = HashAudioBlock(bytes, each.bounds.begin, block);
    each.tail = HashAudioBlock(bytes, each.bounds.end - block, block);
  }

  const IdentityStore& identities_;
  FolderCache& folders_;
  std::vector<Candidate> candidates_;
};

}  // namespace

bool RecordingComparison::Compare(const NamesFiles& names,
                                  const std::function<bool(std::int32_t)>& goOn) {
  std::size_t next = 0;
  while (next < names.names()) {
    Chunk chunk(folders_, identities_);
    std::size_t first = next;
    while (next < names.names() &&
           (chunk.size() == 0 || chunk.size() + names.Name(next).size() <= kFilesAtOnce)) {
      chunk.Add(next - first, names.Name(next));
      ++next;
    }
    auto ask = [&] { return goOn(compared_); };
    if (!chunk.Read(Step::kBounds, ask)) return false;
    chunk.MarkSharing(Step::kBounds);
    if (!chunk.Read(Step::kBlocks, ask)) return false;
    chunk.MarkSharing(Step::kBlocks);
    if (!chunk.Read(Step::kWhole, ask)) return false;
    withCopies_ += chunk.Number(recordings_);
    compared_ += static_cast<std::int32_t>(chunk.size());
  }
  return goOn(compared_);
}

}  // namespace kz
