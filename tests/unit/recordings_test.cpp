// Comparing the namesakes' audio: which files are one recording, what is read to tell, and the
// ticking items by recording.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/dispatch.h"
#include "core/ids.h"
#include "core/result_row.h"
#include "platform/forwarding_file_system.h"
#include "platform/posix/posix_file_system.h"
#include "recordings/compare_recordings.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_ui.h"
#include "tests/fakes/recording_media.h"
#include "tests/fakes/result_rows.h"
#include "tests/fakes/temp_tree.h"
#include "tests/unit/mp3_test_files.h"

namespace kz {
namespace {

using testing::Mp3Bytes;
using Cells = std::map<std::string, std::string>;  // "folder/name" -> Aufnahme cell

// `frames` frames of 417 bytes (128 kbit/s, 44.1 kHz), each body filled with `fill`; `poke`
// changes one byte in the middle of the audio.
Mp3Bytes Audio(int frames, std::uint8_t fill = 0, bool poke = false) {
  Mp3Bytes file;
  for (int frame = 0; frame < frames; ++frame) {
    file.Frames(0xFB, 0x90, 417);
    for (std::size_t at = file.bytes().size() - 413; at < file.bytes().size(); ++at) {
      file.bytes()[at] = fill;
    }
  }
  if (poke) file.bytes()[file.bytes().size() / 2] ^= 0x01;
  return file;
}
std::string Text(const Mp3Bytes& file) {
  return {file.bytes().begin(), file.bytes().end()};
}

// Counts the bytes read through the checked opens.
class CountingFiles final : public ForwardingFileSystem {
 public:
  explicit CountingFiles(FileSystem& inner) : ForwardingFileSystem(inner) {}
  std::unique_ptr<ListedFolder> OpenListedFolder(std::string_view directory,
                                                 const ObjectId& expected) override {
    auto folder = inner_.OpenListedFolder(directory, expected);
    return folder ? std::make_unique<Counted>(std::move(folder), *this) : nullptr;
  }
  std::uint64_t bytesRead = 0;
  int filesOpened = 0;

 private:
  struct CountedFile final : ReadOnlyFile {
    CountedFile(std::unique_ptr<ReadOnlyFile> file, std::uint64_t& read)
        : file_(std::move(file)), read_(read) {}
    std::uint64_t size() const override { return file_->size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override {
      read_ += into.size();
      return file_->ReadAt(offset, into);
    }
    std::uint64_t DataFrom(std::uint64_t offset) override { return file_->DataFrom(offset); }
    std::unique_ptr<ReadOnlyFile> file_;
    std::uint64_t& read_;
  };
  struct Counted final : ListedFolder {
    Counted(std::unique_ptr<ListedFolder> folder, CountingFiles& counts)
        : folder_(std::move(folder)), counts_(counts) {}
    bool RemoveFile(std::string_view name, const FileIdentity& expected) override {
      return folder_->RemoveFile(name, expected);
    }
    bool RecycleFile(std::string_view name, const FileIdentity& expected) override {
      return folder_->RecycleFile(name, expected);
    }
    std::unique_ptr<ReadOnlyFile> OpenFile(std::string_view name,
                                           const FileIdentity& expected) override {
      auto file = folder_->OpenFile(name, expected);
      ++counts_.filesOpened;
      return file ? std::make_unique<CountedFile>(std::move(file), counts_.bytesRead) : nullptr;
    }
    std::unique_ptr<ListedFolder> folder_;
    CountingFiles& counts_;
  };
};

struct Listed {
  testing::TempTree tree;
  testing::FakeUi ui;
  testing::FakeClock clock;
  PosixFileSystem posix;
  CountingFiles files{posix};
  testing::RecordingMedia media;
  Program program{ui, clock, files, media};

  explicit Listed(const std::map<std::string, std::string>& contents) {
    std::vector<testing::FoundFile> scan;
    for (const auto& [relative, bytes] : contents) {
      tree.Write(relative, bytes);
      std::size_t slash = relative.rfind('/');
      scan.push_back({tree.root() + relative.substr(0, slash + 1), relative.substr(slash + 1)});
    }
    testing::ListNamesakes(program, scan, tree.root());
    ui.recordingCell = [this](std::int32_t id) { return RecordingCell(RecordingOf(program, id)); };
  }
  Cells Shown() {
    Cells cells;
    for (std::int32_t row = 0; row < ui.RowCount(id::kResultList); ++row) {
      cells[ui.RowText(id::kResultList, row, kFolderColumn).substr(4) +
            ui.RowText(id::kResultList, row, kNameColumn)] =
          ui.RowText(id::kResultList, row, kRecordingColumn);
    }
    return cells;
  }
  std::int32_t RowOf(const std::string& relative) {
    for (std::int32_t row = 0; row < ui.RowCount(id::kResultList); ++row) {
      if (ui.RowText(id::kResultList, row, kFolderColumn).substr(4) +
              ui.RowText(id::kResultList, row, kNameColumn) ==
          relative) {
        return row;
      }
    }
    return -1;
  }
};

// The cells a comparison must show, from a letter per file for its recording ('?' unreadable):
// numbered from 1 in list order within each name, as the rows stand.
Cells Numbered(Listed& listed, const std::map<std::string, char>& recordings) {
  Cells cells;
  std::map<std::string, std::map<char, int>> numbers;  // name -> letter -> number
  for (std::int32_t row = 0; row < listed.ui.RowCount(id::kResultList); ++row) {
    std::string name = listed.ui.RowText(id::kResultList, row, kNameColumn);
    std::string path = listed.ui.RowText(id::kResultList, row, kFolderColumn).substr(4) + name;
    char letter = recordings.at(path);
    if (letter == '?') {
      cells[path] = "?";
      continue;
    }
    auto& ofName = numbers[name];
    ofName.try_emplace(letter, static_cast<int>(ofName.size()) + 1);
    cells[path] = std::to_string(ofName[letter]);
  }
  return cells;
}

TEST(Recordings, FilesOfANameAreOneRecordingExactlyWhenTheirAudioIs) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> files;
    std::map<std::string, char> recordings;
    const char* status;
  };
  const Mp3Bytes audio = Audio(4);
  Mp3Bytes tagged = Audio(4);
  tagged.Id3v1();
  Mp3Bytes leading;
  leading.Id3v2(300);
  leading.bytes().insert(leading.bytes().end(), audio.bytes().begin(), audio.bytes().end());
  // Junk between the frames in the middle, away from the blocks compared first.
  const Mp3Bytes longAudio = Audio(100);
  Mp3Bytes junk = longAudio;
  junk.bytes()[50 * 417] = 0x00;
  Mp3Bytes bigTag;
  bigTag.Id3v2(20000);
  bigTag.bytes().insert(bigTag.bytes().end(), audio.bytes().begin(), audio.bytes().end());
  Mp3Bytes smallJunk = Audio(4);
  smallJunk.bytes()[2 * 417] = 0x00;
  const Case cases[] = {
      {"identical files",
       {{"a/x.mp3", Text(audio)}, {"b/x.mp3", Text(audio)}},
       {{"a/x.mp3", 'A'}, {"b/x.mp3", 'A'}},
       " 2 Dateien verglichen: 1 Aufnahme(n) mit mehreren Kopien"},
      {"tags alone differ",
       {{"a/x.mp3", Text(leading)}, {"b/x.mp3", Text(tagged)}},
       {{"a/x.mp3", 'A'}, {"b/x.mp3", 'A'}},
       " 2 Dateien verglichen: 1 Aufnahme(n) mit mehreren Kopien"},
      {"equal lengths, other audio",
       {{"a/x.mp3", Text(Audio(4, 0))}, {"b/x.mp3", Text(Audio(4, 7))}},
       {{"a/x.mp3", 'A'}, {"b/x.mp3", 'B'}},
       " 2 Dateien verglichen: 0 Aufnahme(n) mit mehreren Kopien"},
      {"one byte apart in the middle",
       {{"a/x.mp3", Text(Audio(40))}, {"b/x.mp3", Text(Audio(40, 0, true))}},
       {{"a/x.mp3", 'A'}, {"b/x.mp3", 'B'}},
       " 2 Dateien verglichen: 0 Aufnahme(n) mit mehreren Kopien"},
      {"other lengths; copies beside another recording",
       {{"a/x.mp3", Text(audio)}, {"b/x.mp3", Text(Audio(5))}, {"c/x.mp3", Text(tagged)}},
       {{"a/x.mp3", 'A'}, {"b/x.mp3", 'B'}, {"c/x.mp3", 'A'}},
       " 3 Dateien verglichen: 1 Aufnahme(n) mit mehreren Kopien"},
      {"a copy behind a tag larger than the file; junk matters beside one of its length",
       {{"a/x.mp3", Text(audio)},
        {"b/x.mp3", Text(bigTag)},
        {"a/y.mp3", Text(smallJunk)},
        {"b/y.mp3", Text(Audio(5))}},
       {{"a/x.mp3", 'A'}, {"b/x.mp3", 'A'}, {"a/y.mp3", 'A'}, {"b/y.mp3", 'B'}},
       " 4 Dateien verglichen: 1 Aufnahme(n) mit mehreren Kopien"},
      {"no audio, or junk between frames, is the same as nothing",
       {{"a/x.mp3", "no audio at all"},
        {"b/x.mp3", "no audio at all"},
        {"a/y.mp3", Text(junk)},
        {"b/y.mp3", Text(longAudio)}},
       {{"a/x.mp3", '?'}, {"b/x.mp3", '?'}, {"a/y.mp3", '?'}, {"b/y.mp3", 'A'}},
       " 4 Dateien verglichen: 0 Aufnahme(n) mit mehreren Kopien"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Listed listed(c.files);
    for (const auto& [path, cell] : listed.Shown()) EXPECT_EQ(cell, "") << "not compared: " << path;
    EXPECT_EQ(DispatchMenuEvent(listed.program, id::kCompareRecordingsItem), Outcome::kContinue);
    EXPECT_EQ(listed.Shown(), Numbered(listed, c.recordings));
    EXPECT_EQ(listed.ui.status[0], c.status);
    EXPECT_TRUE(listed.program.recordingsComplete);
  }
}

TEST(Recordings, ReadsOnlyWhatDecides) {
  // 400 frames each: different lengths need the ends alone; equal ones their whole audio.
  Listed other({{"a/x.mp3", Text(Audio(400))}, {"b/x.mp3", Text(Audio(401))}});
  DispatchMenuEvent(other.program, id::kCompareRecordingsItem);
  EXPECT_LT(other.files.bytesRead, 2 * 417 * 400 / 2) << "less than half of each file";
  Listed same({{"a/x.mp3", Text(Audio(400))}, {"b/x.mp3", Text(Audio(400))}});
  DispatchMenuEvent(same.program, id::kCompareRecordingsItem);
  EXPECT_GE(same.files.bytesRead, 2u * 417 * 400);
  EXPECT_LT(same.files.bytesRead, 2u * 417 * 400 * 2) << "the audio once, the ends again";
  // Where a file is smaller than the piece its ends are read in, that one read decides.
  Listed small({{"a/x.mp3", Text(Audio(30))}, {"b/x.mp3", Text(Audio(30))}});
  DispatchMenuEvent(small.program, id::kCompareRecordingsItem);
  EXPECT_EQ(small.Shown(), (Cells{{"a/x.mp3", "1"}, {"b/x.mp3", "1"}}));
  EXPECT_EQ(small.files.filesOpened, 2);
  EXPECT_EQ(small.files.bytesRead, 2u * 417 * 30);
}

TEST(Recordings, AFileChangedAfterTheSearchIsNoRecording) {
  Listed listed({{"a/x.mp3", Text(Audio(4))}, {"b/x.mp3", Text(Audio(4))}});
  listed.tree.Write("b/x.mp3", Text(Audio(4)));  // rewritten: another last write, maybe file
  std::filesystem::last_write_time(
      listed.tree.root() + "b/x.mp3",
      std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
  DispatchMenuEvent(listed.program, id::kCompareRecordingsItem);
  EXPECT_EQ(listed.Shown(), Numbered(listed, {{"a/x.mp3", 'A'}, {"b/x.mp3", '?'}}));
}

TEST(Recordings, TheTickingItemsKeepOneCopyOfEveryRecording) {
  // x.mp3: a recording in a/ and b/ (b's copy larger), another alone in c/, no audio in d/.
  const Mp3Bytes audio = Audio(4);
  Mp3Bytes larger;
  larger.Id3v2(500);
  larger.bytes().insert(larger.bytes().end(), audio.bytes().begin(), audio.bytes().end());
  const std::map<std::string, std::string> files = {{"a/x.mp3", Text(Audio(4))},
                                                    {"b/x.mp3", Text(larger)},
                                                    {"c/x.mp3", Text(Audio(4, 9))},
                                                    {"d/x.mp3", "not audio"}};
  struct Case {
    const char* what;
    int item;
    const char* selected;
    std::vector<std::string> ticked;
    const char* status;
  };
  const Case cases[] = {
      {"all but the largest of each recording",
       id::kTickAllButLargestItem,
       nullptr,
       {"a/x.mp3"},
       " 1 Datei(en) markiert, 2 einzelne Aufnahme(n) ausgelassen"},
      {"the folder of the single copy keeps it",
       id::kTickFolderItem,
       "c/x.mp3",
       {},
       " 0 Datei(en) markiert, 1 einzelne Aufnahme(n) ausgelassen"},
      {"the folder of a copy",
       id::kTickFolderItem,
       "b/x.mp3",
       {"b/x.mp3"},
       " 1 Datei(en) markiert"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Listed listed(files);
    if (c.selected) listed.ui.SelectRow(id::kResultList, listed.RowOf(c.selected));
    EXPECT_EQ(DispatchMenuEvent(listed.program, c.item), Outcome::kContinue);
    std::vector<std::string> ticked;
    for (const auto& [path, cell] : listed.Shown()) {
      if (listed.ui.RowState(id::kResultList, listed.RowOf(path)) & row_state::kTicked) {
        ticked.push_back(path);
      }
    }
    EXPECT_EQ(ticked, c.ticked);
    EXPECT_EQ(listed.ui.status[0], c.status);
    EXPECT_EQ(listed.Shown().at("d/x.mp3"), "?") << "compared first";
  }
}

TEST(Recordings, ACutShortComparisonTicksNothing) {
  Listed listed({{"a/x.mp3", Text(Audio(4))}, {"b/x.mp3", Text(Audio(4))}});
  listed.clock.step = 30;  // the events are looked at between files
  listed.ui.QueueClick(id::kSearchButton);
  EXPECT_EQ(DispatchMenuEvent(listed.program, id::kTickAllButLargestItem), Outcome::kContinue);
  EXPECT_EQ(listed.ui.FirstRowWithState(id::kResultList, row_state::kTicked, 0), -1);
  EXPECT_FALSE(listed.program.recordingsComplete);
  EXPECT_EQ(listed.Shown(), (Cells{{"a/x.mp3", ""}, {"b/x.mp3", ""}}));
  EXPECT_EQ(listed.ui.ImageById(id::kGoImage), listed.ui.states[id::kSearchButton]);
  listed.ui.QueueClose();
  EXPECT_EQ(DispatchMenuEvent(listed.program, id::kCompareRecordingsItem), Outcome::kExit);
}

}  // namespace
}  // namespace kz
