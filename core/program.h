#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/version.h"
#include "core/identity_store.h"
#include "core/mp3_info.h"
#include "core/record_list.h"
#include "core/ui.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/media.h"

namespace kz {

inline constexpr const char* kTitle = "MP3 - Klangzwilling v" KZ_VERSION_TEXT;

// What a handler may return to the loop that called it.
enum class Outcome { kContinue, kExit };

// The whole state of one run of the program, handed to every handler. The world is reached
// only through the four services, so a test builds a fresh program over fakes in one line.
struct Program {
  Program(Ui& ui_, Clock& clock_, FileSystem& files_, MediaService& media_)
      : ui(ui_), clock(clock_), files(files_), media(media_) {}

  Ui& ui;
  Clock& clock;
  FileSystem& files;
  MediaService& media;

  std::string title = kTitle;

  RecordList foundFiles;
  RecordList referenceFiles;
  RecordList duplicateList;
  RecordList duplicateIndex;
  // What each collected file was when the search listed it, addressed by FileRecord::identity.
  IdentityStore identities;
  // Each listed file's size in bytes as the detection measured it (-1: not found), addressed by
  // the record's ID and sized with the list; the rows show it rounded to KB.
  std::vector<std::int64_t> listedSizes;
  // Each listed file's recording as the last comparison of the audio found it, addressed by the
  // record's ID (0 not compared, -1 unreadable as audio, else its number within its name); empty
  // until a comparison.
  std::vector<std::int32_t> recordings;
  // Every listed file was compared since the search; a comparison cut short leaves it false.
  bool recordingsComplete = false;

  // Main loop.
  std::uint32_t lastWelcomeTick = 0;
  std::int32_t lastShownRowCount = 0;

  // Search.
  std::int32_t filesFound = 0;
  std::int32_t directoriesEntered = 0;
  std::uint32_t lastProgressTick = 0;
  // The folder text the result rows were made with, so a row's cells can be checked against
  // its record after the tree's selection has moved on.
  std::string resultRoot;

  // Player.
  std::int32_t rewindOffset = 0;
  std::int32_t forwardOffset = 0;
  bool playbackWakeupsOn = false;

  // Properties window.
  Mp3Info mp3Info;
};

}  // namespace kz
