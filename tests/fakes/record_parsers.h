#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kz::testing {

// Strict readers of what the command line writes, so that a test checks the format itself and
// not what the writer happens to produce. Each gives nothing for input that breaks its format.

// RFC 4180: records end with CR LF (the last one too), fields separated by commas, a field
// either plain (no comma, quote, CR or LF) or in double quotes with each quote doubled.
std::optional<std::vector<std::vector<std::string>>> ParseCsv(const std::string& text);

// One JSON object with string, integer and null values, as JSON (RFC 8259) writes them: escapes
// including \uXXXX and surrogate pairs, no raw control characters, valid UTF-8 only.
using JsonValue = std::variant<std::string, std::int64_t, std::nullptr_t>;
using JsonObject = std::map<std::string, JsonValue>;
std::optional<JsonObject> ParseJsonObject(const std::string& text);

// The records of `text`, each ended by `terminator` (which must end the text, when not empty).
std::optional<std::vector<std::string>> SplitRecords(const std::string& text, char terminator);

// Reverses the TSV escapes \\, \t, \n, \r; nothing for any other backslash sequence.
std::optional<std::string> UnescapeTsv(const std::string& field);

}  // namespace kz::testing
