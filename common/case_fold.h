#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kz {

// The UTF-8 text with Unicode simple case folding applied to ASCII, Latin-1, Latin Extended-A,
// Greek and Cyrillic letters (a compact table of the scripts of most music libraries; letters of
// other scripts, and bytes that are not valid UTF-8, stay as they are). Two names are the same
// apart from case when their foldings are equal: "Take Five.mp3" and "take five.MP3",
// "ΑΣΤΡΟ.mp3" and "αστρο.mp3".
std::string FoldCase(std::string_view text);

// The code point's simple case folding within the scripts named above.
char32_t FoldCodePoint(char32_t c);

// Decodes the UTF-8 sequence at text[i] into `c`: its length, or 0 when it is not a valid,
// shortest sequence.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& c);

}  // namespace kz
