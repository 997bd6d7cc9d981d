#include "app/cli/row_writer.h"

#include "common/decimal.h"
#include "core/result_row.h"
#include "recordings/compare_recordings.h"

namespace kz::cli {
namespace {

// Length of the valid UTF-8 sequence at text[i] (at least 2 bytes), 0 when there is none.
std::size_t MultiByteLength(std::string_view text, std::size_t i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  unsigned char second = byte(i + 1);
  // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
  if (lead == 0xE0 && second < 0xA0) return 0;
  if (lead == 0xED && second >= 0xA0) return 0;
  if (lead == 0xF0 && second < 0x90) return 0;
  if (lead == 0xF4 && second >= 0x90) return 0;
  return length;
}

std::string Decimal64(std::int64_t value) {
  return std::to_string(value);
}

// A recording's number, or nothing for a file not compared or unreadable as audio.
std::string RecordingField(std::int32_t recording) {
  return recording > 0 ? IntToDecimal(recording) : "";
}

}  // namespace

void AppendWindowCell(std::string& out, std::string_view cell) {
  out += ShownText(cell);  // the window's cells already are; a cell from elsewhere may not be
}

void AppendCsvField(std::string& out, std::string_view field) {
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendTsvField(std::string& out, std::string_view field) {
  for (char c : field) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
}

void AppendJsonString(std::string& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      std::size_t length = MultiByteLength(text, i);
      if (length == 0) {
        out += "\\ufffd";
        ++i;
      } else {
        out.append(text.substr(i, length));
        i += length;
      }
      continue;
    }
    ++i;
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20) {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
}

void RowWriter::WriteHeader() {
  record_.clear();
  if (format_ == RowFormat::kCsv) {
    record_ = withRecording_ ? "name,path,size,group,id,recording" : "name,path,size,group,id";
  } else if (format_ == RowFormat::kTsv) {
    record_ = "name\tpath\tsize\tgroup\tid";
    if (withRecording_) record_ += "\trecording";
  } else {
    return;
  }
  EndRecord();
}

void RowWriter::Write(const ResultRow& row) {
  record_.clear();
  path_.assign(row.directory).append(row.name);
  switch (format_) {
    case RowFormat::kWindow:
      for (int i = 0; i < kRowTextCells; ++i) {
        if (i > 0) record_ += '\t';
        AppendWindowCell(record_, row.cells[i]);
      }
      if (withRecording_) record_ += "\t" + RecordingCell(row.recording);
      break;
    case RowFormat::kCsv:
      AppendCsvField(record_, row.name);
      record_ += ',';
      AppendCsvField(record_, path_);
      record_ +=
          "," + Decimal64(row.bytes) + "," + IntToDecimal(row.group) + "," + IntToDecimal(row.id);
      if (withRecording_) record_ += "," + RecordingField(row.recording);
      break;
    case RowFormat::kTsv:
      AppendTsvField(record_, row.name);
      record_ += '\t';
      AppendTsvField(record_, path_);
      record_ += "\t" + Decimal64(row.bytes) + "\t" + IntToDecimal(row.group) + "\t" +
                 IntToDecimal(row.id);
      if (withRecording_) record_ += "\t" + RecordingField(row.recording);
      break;
    case RowFormat::kJson:
      record_ += "{\"name\":";
      AppendJsonString(record_, row.name);
      record_ += ",\"path\":";
      AppendJsonString(record_, path_);
      record_ += ",\"size\":" + Decimal64(row.bytes) + ",\"group\":" + IntToDecimal(row.group) +
                 ",\"id\":" + IntToDecimal(row.id);
      if (withRecording_) {
        std::string number = RecordingField(row.recording);
        record_ += ",\"recording\":" + (number.empty() ? std::string("null") : number);
      }
      record_ += "}";
      break;
  }
  EndRecord();
}

void RowWriter::EndRecord() {
  if (format_ == RowFormat::kCsv && terminator_ == '\n') record_ += '\r';
  record_ += terminator_;
  std::fwrite(record_.data(), 1, record_.size(), out_);
}

}  // namespace kz::cli
