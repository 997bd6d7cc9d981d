#pragma once

#include <cstdint>
#include <string>

#include "core/program.h"

namespace kz {

enum class ComparisonEnd { kComplete, kCutShort, kClosed };

// Compares the audio of the listed files of each name (see recording_comparison.h) and keeps
// their recordings in the program. Status field 0 shows the progress meanwhile; a click on the
// search button cuts it short, as it cuts a search short: the names compared keep their
// recordings, the others stay not compared. A close request ends it.
ComparisonEnd CompareListedRecordings(Program& program);

// "Aufnahmen vergleichen": the comparison, then its outcome in status field 0. kExit after a
// close request.
Outcome CompareRecordings(Program& program);

// For the ticking items: compares first unless every row was compared since the search.
ComparisonEnd EnsureRecordingsCompared(Program& program);

// Status field 0 while comparing, " 120 von 1000 Dateien verglichen", and afterwards,
// " 1000 Dateien verglichen: 40 Aufnahme(n) mit mehreren Kopien"; the command line shows the same.
std::string ComparisonProgress(std::int32_t compared, std::int32_t files);
std::string ComparisonOutcome(std::int32_t compared, std::int32_t recordingsWithCopies);

// The record's recording as the last comparison found it; 0 when not compared.
std::int32_t RecordingOf(const Program& program, std::int32_t recordId);
// The "Aufnahme" cell: empty until compared, "?" for a file unreadable as audio, else the
// recording's number.
std::string RecordingCell(std::int32_t recording);

}  // namespace kz
