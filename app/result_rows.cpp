#include "app/result_rows.h"

#include "common/decimal.h"
#include "core/result_row.h"

namespace kz {

void ResultRows::SetCut(std::string_view cut) {
  if (rows_.empty()) cut_.assign(cut);
}

std::int64_t ResultRows::RecordOfText(std::string_view text) const {
  if (!records_) return -1;
  std::size_t lastCell = text.rfind('\n');
  if (lastCell == std::string_view::npos) return -1;
  std::string_view digits = text.substr(lastCell + 1);
  if (digits.empty() || digits.size() > 10) return -1;
  std::int64_t id = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    id = id * 10 + (c - '0');
  }
  if (id > kValue) return -1;
  const FileRecord* record = records_(static_cast<std::int32_t>(id));
  if (!record) return -1;
  // Only a text the record gives back byte for byte is left to the record.
  return IsRowTextOf(text, *record, cut_, separator_) ? id : -1;
}

void ResultRows::Insert(std::int32_t position, std::string_view text) {
  std::uint32_t row = 0;
  std::int64_t id = RecordOfText(text);
  if (id >= 0) {
    row = static_cast<std::uint32_t>(id);
  } else {
    row = kOwnText | static_cast<std::uint32_t>(texts_.size());
    texts_.emplace_back(text);
  }
  if (position < 0 || position >= count()) {
    rows_.push_back(row);
  } else {
    rows_.insert(rows_.begin() + position, row);
  }
}

void ResultRows::AppendRecord(const FileRecord& record, std::string_view root) {
  const FileRecord* listed =
      records_ && record.id >= 0 && record.id <= static_cast<std::int32_t>(kValue)
          ? records_(record.id)
          : nullptr;
  if (listed && listed->id == record.id && listed->sizeKB == record.sizeKB &&
      listed->name.SharesTextWith(record.name) &&
      listed->directory.SharesTextWith(record.directory) && root == cut_) {
    rows_.push_back(static_cast<std::uint32_t>(record.id));
    return;
  }
  Insert(-1, RowText(record, root, separator_));
}

void ResultRows::Remove(std::int32_t row) {
  if (!Valid(row)) return;
  std::uint32_t removed = rows_[Index(row)];
  if (removed & kOwnText) texts_[removed & kValue] = std::string();
  if (removed & kTicked) --tickedCount_;
  rows_.erase(rows_.begin() + row);
}

void ResultRows::Clear() {
  rows_.clear();
  rows_.shrink_to_fit();
  texts_.clear();
  texts_.shrink_to_fit();
  tickedCount_ = 0;
}

bool ResultRows::SetTicked(std::int32_t row, bool ticked) {
  if (!Valid(row) || Ticked(row) == ticked) return false;
  rows_[Index(row)] ^= kTicked;
  tickedCount_ += ticked ? 1 : -1;
  return true;
}

std::int32_t ResultRows::FirstTicked(std::int32_t from) const {
  if (tickedCount_ == 0) return -1;
  for (std::int32_t row = from < 0 ? 0 : from; row < count(); ++row) {
    if (rows_[Index(row)] & kTicked) return row;
  }
  return -1;
}

std::string ResultRows::Text(std::int32_t row) const {
  if (!Valid(row)) return "";
  std::uint32_t value = rows_[Index(row)] & ~kTicked;
  if (value & kOwnText) return texts_[value & kValue];
  const FileRecord* record = records_ ? records_(static_cast<std::int32_t>(value)) : nullptr;
  return record ? RowText(*record, cut_, separator_) : std::string();
}

std::string ResultRows::Cell(std::int32_t row, std::int32_t column) const {
  if (column < 0 || !Valid(row)) return "";
  std::uint32_t value = rows_[Index(row)] & ~kTicked;
  if (column == kRecordingColumn && !(value & kOwnText)) {
    return recordingCells_ ? recordingCells_(static_cast<std::int32_t>(value)) : std::string();
  }
  std::string text = Text(row);
  std::size_t start = 0;
  for (std::int32_t skipped = 0; skipped < column; ++skipped) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) return "";
    start = end + 1;
  }
  std::size_t end = text.find('\n', start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::int32_t ResultRows::IdCell(std::int32_t row) const {
  if (!Valid(row)) return 0;
  std::uint32_t value = rows_[Index(row)] & ~kTicked;
  if (value & kOwnText) return DecimalToInt(Cell(row, kIdColumn));
  const FileRecord* record = records_ ? records_(static_cast<std::int32_t>(value)) : nullptr;
  return record ? record->id : 0;
}

bool ResultRows::ShowsRecord(std::int32_t row, const FileRecord& record,
                             std::string_view root) const {
  if (!Valid(row)) return false;
  std::uint32_t value = rows_[Index(row)] & ~kTicked;
  if (!(value & kOwnText) && records_ && records_(static_cast<std::int32_t>(value)) == &record &&
      root == cut_) {
    return true;
  }
  return Cell(row, kNameColumn) == NameCell(record) &&
         Cell(row, kFolderColumn) == FolderCell(record, root, separator_);
}

std::string_view ResultRows::Name(std::int32_t row) const {
  if (!Valid(row)) return {};
  std::uint32_t value = rows_[Index(row)] & ~kTicked;
  if (value & kOwnText) {
    std::string_view text = texts_[value & kValue];
    return text.substr(0, text.find('\n'));
  }
  const FileRecord* record = records_ ? records_(static_cast<std::int32_t>(value)) : nullptr;
  return record ? record->name.view().substr(0, record->name.view().find('\n'))
                : std::string_view();
}

std::size_t ResultRows::storageBytes() const {
  std::size_t bytes = rows_.capacity() * sizeof(std::uint32_t);
  bytes += texts_.capacity() * sizeof(std::string);
  for (const std::string& text : texts_) {
    if (text.capacity() > 15) bytes += text.capacity() + 1;  // beyond the short-text buffer
  }
  return bytes;
}

}  // namespace kz
