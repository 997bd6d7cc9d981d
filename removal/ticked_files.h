#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/program.h"

namespace kz {

// What an act on the files of the ticked rows came to.
struct TickedOutcome {
  std::int32_t ticked = 0;  // ticked rows, those left out included
  std::int32_t taken = 0;   // rows whose file the act took; they are taken out of the list
  bool closed = false;      // a close request ended it; the rows are left as they are
};

// The act on one ticked file in its folder, opened and checked as the search listed it: true
// when it took the file (deleted it, moved it away).
using FileAct =
    std::function<bool(ListedFolder& folder, const FileRecord& record, const FileIdentity& listed)>;
using ProgressText = std::string (*)(std::int32_t taken, std::int32_t ticked);

// Runs `act` on the file of every ticked row, from the last row up, each folder opened and
// checked once for all of its files, while the window stays alive and shows
// `progress(taken, ticked)`. A row whose cells are not its record's own, or whose file the search
// could not identify, is left out: there is nothing it could be sure to act on. The rows whose
// file was taken go in one batch at the end. A close request ends it after the file in hand.
TickedOutcome ActOnTickedFiles(Program& program, const FileAct& act, ProgressText progress);

// Stops and closes playback (the media service holds the file being played open, so it could not
// go), asks `question` under the caption "Info!", and on Yes runs ActOnTickedFiles. Nothing on
// any other answer; on No the status line says that nothing was done.
std::optional<TickedOutcome> AskThenActOnTickedFiles(Program& program, std::string_view question,
                                                     const FileAct& act, ProgressText progress);

}  // namespace kz
