#pragma once

#include <cstdint>

#include "core/file_record.h"
#include "core/program.h"

namespace kz {

// The record a result-list row stands for: the row's ID cell read as a decimal number names a
// position in DuplicateIndex, which becomes the current record. Null when there is no such row
// or the ID names no record: a missing row, a negative number or one past the end would
// otherwise address a record the row does not show (selectAt gives the last one). Null too when
// the row's name and folder cells are not the record's own.
FileRecord* RecordOfRow(Program& program, std::int32_t row);

// The file's path: the record's directory (which ends in the separator) and its name.
std::string PathOf(const FileRecord& record);

}  // namespace kz
