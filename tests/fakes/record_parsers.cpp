#include "tests/fakes/record_parsers.h"

namespace kz::testing {

std::optional<std::vector<std::vector<std::string>>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::size_t i = 0;
  while (i < text.size()) {
    std::string field;
    if (text[i] == '"') {
      ++i;
      for (;;) {
        if (i >= text.size()) return std::nullopt;  // unterminated quote
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += text[i++];
      }
    } else {
      while (i < text.size() && text[i] != ',' && text[i] != '\r') {
        if (text[i] == '"' || text[i] == '\n') return std::nullopt;
        field += text[i++];
      }
    }
    record.push_back(field);
    if (i < text.size() && text[i] == ',') {
      ++i;
      if (i == text.size()) return std::nullopt;
      continue;
    }
    if (text.compare(i, 2, "\r\n") != 0) return std::nullopt;
    i += 2;
    records.push_back(std::move(record));
    record.clear();
  }
  return records;
}

namespace {

class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : text_(text) {}

  std::optional<JsonObject> Object() {
    JsonObject object;
    if (!Take('{')) return std::nullopt;
    if (Take('}')) return End(object);
    for (;;) {
      std::optional<std::string> key = String();
      if (!key || !Take(':')) return std::nullopt;
      std::optional<JsonValue> value;
      if (Peek() == '"') {
        if (std::optional<std::string> s = String()) value = *s;
      } else if (text_.compare(at_, 4, "null") == 0) {
        at_ += 4;
        value = nullptr;
      } else {
        value = Integer();
      }
      if (!value || object.count(*key)) return std::nullopt;
      object[*key] = *value;
      if (Take(',')) continue;
      if (Take('}')) return End(object);
      return std::nullopt;
    }
  }

 private:
  std::optional<JsonObject> End(JsonObject& object) {
    SkipSpace();
    if (at_ != text_.size()) return std::nullopt;
    return object;
  }
  void SkipSpace() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  }
  char Peek() {
    SkipSpace();
    return at_ < text_.size() ? text_[at_] : '\0';
  }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++at_;
    return true;
  }
  std::optional<JsonValue> Integer() {
    std::size_t start = at_;
    if (at_ < text_.size() && text_[at_] == '-') ++at_;
    std::size_t digits = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    if (at_ == digits || (text_[digits] == '0' && at_ - digits > 1)) return std::nullopt;
    return std::int64_t{std::stoll(text_.substr(start, at_ - start))};
  }
  std::optional<unsigned> Hex4() {
    if (at_ + 4 > text_.size()) return std::nullopt;
    unsigned value = 0;
    for (int k = 0; k < 4; ++k) {
      char c = text_[at_++];
      value <<= 4;
      if (c >= '0' && c <= '9')
        value |= c - '0';
      else if (c >= 'a' && c <= 'f')
        value |= c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        value |= c - 'A' + 10;
      else
        return std::nullopt;
    }
    return value;
  }
  static void Encode(char32_t c, std::string& out) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  // A raw UTF-8 sequence, checked: lead byte, continuation bytes, shortest form, no surrogate.
  bool Utf8(std::string& out) {
    auto lead = static_cast<unsigned char>(text_[at_]);
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at_ + length > text_.size()) return false;
    char32_t c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      auto next = static_cast<unsigned char>(text_[at_ + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    if ((length == 3 && c < 0x800) || (length == 4 && c < 0x10000) || c > 0x10FFFF ||
        (c >= 0xD800 && c <= 0xDFFF)) {
      return false;
    }
    out.append(text_, at_, length);
    at_ += length;
    return true;
  }
  std::optional<std::string> String() {
    if (!Take('"')) return std::nullopt;
    std::string out;
    while (at_ < text_.size()) {
      auto c = static_cast<unsigned char>(text_[at_]);
      if (c == '"') {
        ++at_;
        return out;
      }
      if (c < 0x20) return std::nullopt;
      if (c >= 0x80) {
        if (!Utf8(out)) return std::nullopt;
        continue;
      }
      ++at_;
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      if (at_ >= text_.size()) return std::nullopt;
      char e = text_[at_++];
      switch (e) {
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case '/':
          out += '/';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          std::optional<unsigned> unit = Hex4();
          if (!unit) return std::nullopt;
          char32_t code = *unit;
          if (code >= 0xD800 && code <= 0xDBFF) {
            if (text_.compare(at_, 2, "\\u") != 0) return std::nullopt;
            at_ += 2;
            std::optional<unsigned> low = Hex4();
            if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
            code = 0x10000 + ((code - 0xD800) << 10) + (*low - 0xDC00);
          } else if (code >= 0xDC00 && code <= 0xDFFF) {
            return std::nullopt;
          }
          Encode(code, out);
          break;
        }
        default:
          return std::nullopt;
      }
    }
    return std::nullopt;
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<JsonObject> ParseJsonObject(const std::string& text) {
  return JsonReader(text).Object();
}

std::optional<std::vector<std::string>> SplitRecords(const std::string& text, char terminator) {
  std::vector<std::string> records;
  if (text.empty()) return records;
  if (text.back() != terminator) return std::nullopt;
  std::size_t from = 0;
  for (std::size_t at = text.find(terminator); at != std::string::npos;
       at = text.find(terminator, from)) {
    records.push_back(text.substr(from, at - from));
    from = at + 1;
  }
  return records;
}

std::optional<std::string> UnescapeTsv(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\t' || field[i] == '\n' || field[i] == '\r') return std::nullopt;
    if (field[i] != '\\') {
      out += field[i];
      continue;
    }
    if (++i == field.size()) return std::nullopt;
    switch (field[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

}  // namespace kz::testing
