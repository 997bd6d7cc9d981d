#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_record.h"

namespace kz {

// The rows of the result list, kept by the program itself so that the list control holds no copy
// of them: a row costs four bytes while its text is exactly what its record gives (name, size,
// directory below the searched folder, ID), and only a row whose text differs keeps a copy.
// Each row also carries its tick bit, which moves with the row when rows above it are removed.
class ResultRows {
 public:
  // The record with an ID (its position in DuplicateIndex), or null when there is none.
  using RecordById = std::function<const FileRecord*(std::int32_t id)>;

  explicit ResultRows(char separator) : separator_(separator) {}

  void UseRecords(RecordById records) { records_ = std::move(records); }
  // The recording column of a row kept as its record, made from the record's ID when asked for.
  using RecordingCellById = std::function<std::string(std::int32_t id)>;
  void UseRecordingCells(RecordingCellById cells) { recordingCells_ = std::move(cells); }
  // The folder text cut from the directories of rows added to an empty store; while rows are
  // held it stays as it was, so every row keeps the text it was added with.
  void SetCut(std::string_view cut);
  void Reserve(std::int32_t rows) { rows_.reserve(static_cast<std::size_t>(rows)); }

  // position -1 (or one past the end) appends; the row is not ticked.
  void Insert(std::int32_t position, std::string_view text);
  // Appends the row RowText(record, root): as the record's ID alone when the record with that
  // ID gives the same text, seen without reading any text (same ID, size, and shared name and
  // directory texts, cut by the same folder text); otherwise as that text.
  void AppendRecord(const FileRecord& record, std::string_view root);
  void Remove(std::int32_t row);
  void Clear();

  std::int32_t count() const { return static_cast<std::int32_t>(rows_.size()); }
  bool Ticked(std::int32_t row) const { return Valid(row) && (rows_[Index(row)] & kTicked); }
  std::int32_t tickedCount() const { return tickedCount_; }
  // The first ticked row at or after `from`, or -1.
  std::int32_t FirstTicked(std::int32_t from) const;
  // False when the row does not exist or already had that tick.
  bool SetTicked(std::int32_t row, bool ticked);
  // The row's cells separated by "\n"; "" for a row outside the list.
  std::string Text(std::int32_t row) const;
  // One cell; "" for a row outside the list or a column the text has no cell for.
  std::string Cell(std::int32_t row, std::int32_t column) const;
  // The number in the row's ID cell as DecimalToInt reads it; a row kept as its record gives the
  // record's ID without building its text.
  std::int32_t IdCell(std::int32_t row) const;
  // True when the row's name and folder cells are those of `record` with the folder cut by
  // `root`. A row kept as this very record, cut by the same text, shows it by construction.
  bool ShowsRecord(std::int32_t row, const FileRecord& record, std::string_view root) const;
  // The first cell without building the row; valid until the rows change.
  std::string_view Name(std::int32_t row) const;

  // Bytes held for the rows (not counting the records), for the memory benchmark.
  std::size_t storageBytes() const;

 private:
  static constexpr std::uint32_t kTicked = 1U << 31;
  static constexpr std::uint32_t kOwnText = 1U << 30;  // the value indexes texts_
  static constexpr std::uint32_t kValue = kOwnText - 1;

  bool Valid(std::int32_t row) const { return row >= 0 && row < count(); }
  static std::size_t Index(std::int32_t row) { return static_cast<std::size_t>(row); }
  // The record a text was built from with the current cut, or -1.
  std::int64_t RecordOfText(std::string_view text) const;

  std::vector<std::uint32_t> rows_;
  std::vector<std::string> texts_;
  std::int32_t tickedCount_ = 0;
  RecordById records_;
  RecordingCellById recordingCells_;
  std::string cut_;
  char separator_;
};

}  // namespace kz
