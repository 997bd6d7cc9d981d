#pragma once

#include <array>
#include <string>

#include "core/mp3_info.h"
#include "mp3/timestamp.h"

namespace kz {

// The playing time as minutes and seconds ("%ii:%ss" of whole seconds); hours are lost.
std::string DurationText(const Mp3Info& info);

// The five rows of the properties window, each "column 0\ncolumn 1": playing time, bit rate,
// frequency, size and creation date. Divisions are signed and truncate toward zero.
std::array<std::string, 5> PropertyRows(const Mp3Info& info, std::string_view durationText,
                                        Timestamp created);

}  // namespace kz
