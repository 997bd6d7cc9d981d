#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/result_row.h"

namespace kz::cli {

enum class RowFormat { kWindow, kCsv, kTsv, kJson };

// One file of the result, with what every format needs of it.
struct ResultRow {
  std::string_view cells[kRowTextCells];  // the window's: name, "N KB", folder below root, ID
  std::string_view name;
  std::string_view directory;  // ends in the separator
  std::int64_t bytes = -1;     // exact size; -1 when the file was gone when asked
  std::int32_t group = 0;      // 1 for the first name shown, counting up with each new name
  std::int32_t id = 0;         // the window's ID
  // With the recordings: as the window keeps it (0 not compared, -1 unreadable as audio, else
  // its number within the name).
  std::int32_t recording = 0;
};

// Writes result rows in one format, each record ended by `terminator` (or CRLF for CSV when
// the terminator is a line feed, as RFC 4180 has it). `withRecording` adds the recording: the
// window's "Aufnahme" cell as a fifth cell, and a field `recording` to the other formats, empty
// (JSON: null) unless the file's audio was compared and readable.
class RowWriter {
 public:
  RowWriter(RowFormat format, char terminator, std::FILE* out, bool withRecording = false)
      : format_(format), terminator_(terminator), out_(out), withRecording_(withRecording) {}

  // The header record of CSV and TSV; nothing for the other formats.
  void WriteHeader();
  void Write(const ResultRow& row);

 private:
  void EndRecord();

  RowFormat format_;
  char terminator_;
  std::FILE* out_;
  bool withRecording_;
  std::string record_;
  std::string path_;
};

// TAB, line feed and carriage return as \t, \n, \r: one window row is always one line.
void AppendWindowCell(std::string& out, std::string_view cell);
// RFC 4180: in double quotes, each double quote doubled.
void AppendCsvField(std::string& out, std::string_view field);
// Backslash, TAB, line feed and carriage return as \\, \t, \n, \r.
void AppendTsvField(std::string& out, std::string_view field);
// A JSON string in double quotes; bytes that are not UTF-8 become U+FFFD.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace kz::cli
