#include "core/result_row.h"

#include "common/decimal.h"

namespace kz {
namespace {

// A row is written piece by piece into a sink, so that one definition of its layout serves both
// building the text and checking a given text against a record without building it: the list
// fill checks every row it is handed, and 100,000 extra texts would double its time.
class TextSink {
 public:
  explicit TextSink(std::string& out) : out_(out) {}
  void Put(std::string_view piece) { out_.append(piece); }

 private:
  std::string& out_;
};

class MatchSink {
 public:
  explicit MatchSink(std::string_view expected) : expected_(expected) {}
  void Put(std::string_view piece) {
    if (!same_) return;
    same_ = expected_.substr(at_, piece.size()) == piece;
    at_ += piece.size();
  }
  bool MatchedWhole() const { return same_ && at_ == expected_.size(); }

 private:
  std::string_view expected_;
  std::size_t at_ = 0;
  bool same_ = true;
};

// Puts `text` with a tab, line feed or carriage return shown as "\t", "\n" or "\r". A plain loop:
// the C library's character search is a call per character under some runtimes.
template <class Sink>
void PutShown(Sink& sink, std::string_view text) {
  std::size_t from = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char character = text[at];
    if (character != '\t' && character != '\n' && character != '\r') continue;
    sink.Put(text.substr(from, at - from));
    sink.Put(character == '\t' ? "\\t" : character == '\n' ? "\\n" : "\\r");
    from = at + 1;
  }
  sink.Put(text.substr(from));
}

// Puts `text` shown, with every occurrence of `cut` left out, scanning from left to right. Every
// directory begins with the searched folder, so this leaves the path below it. An empty `cut`
// (the tree's root item was selected meanwhile) removes nothing. Showing is done per character,
// so showing the pieces is showing their concatenation.
template <class Sink>
void PutShownWithout(Sink& sink, std::string_view text, std::string_view cut) {
  if (cut.empty()) {
    PutShown(sink, text);
    return;
  }
  std::size_t from = 0;
  for (std::size_t at = text.find(cut); at != std::string_view::npos; at = text.find(cut, from)) {
    PutShown(sink, text.substr(from, at - from));
    from = at + cut.size();
  }
  PutShown(sink, text.substr(from));
}

template <class Sink>
void PutFolderCell(Sink& sink, const FileRecord& record, std::string_view root, char separator) {
  sink.Put("...");
  sink.Put(std::string_view(&separator, 1));
  PutShownWithout(sink, record.directory.view(), root);
}

template <class Sink>
void PutRow(Sink& sink, const FileRecord& record, std::string_view root, char separator) {
  PutShown(sink, record.name.view());
  sink.Put("\n");
  sink.Put(IntToDecimal(record.sizeKB));
  sink.Put(" KB\n");
  PutFolderCell(sink, record, root, separator);
  sink.Put("\n");
  sink.Put(IntToDecimal(record.id));
}

}  // namespace

std::string ShownText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  TextSink sink(shown);
  PutShown(sink, text);
  return shown;
}

std::string NameCell(const FileRecord& record) {
  return ShownText(record.name.view());
}

std::string FolderCell(const FileRecord& record, std::string_view root, char separator) {
  std::string cell;
  TextSink sink(cell);
  PutFolderCell(sink, record, root, separator);
  return cell;
}

void AppendRowText(std::string& out, const FileRecord& record, std::string_view root,
                   char separator) {
  // Room for the cells, their separators, a size and an ID of up to ten digits each.
  out.reserve(out.size() + record.name.view().size() + record.directory.view().size() + 32);
  TextSink sink(out);
  PutRow(sink, record, root, separator);
}

std::string RowText(const FileRecord& record, std::string_view root, char separator) {
  std::string row;
  AppendRowText(row, record, root, separator);
  return row;
}

bool IsRowTextOf(std::string_view text, const FileRecord& record, std::string_view root,
                 char separator) {
  MatchSink sink(text);
  PutRow(sink, record, root, separator);
  return sink.MatchedWhole();
}

}  // namespace kz
