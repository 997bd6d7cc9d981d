#include "search/result_row.h"

#include "common/decimal.h"

namespace kz {
namespace {

// Appends `text` with every occurrence of `cut` left out, scanning from left to right. Every
// directory begins with the searched folder, so this leaves the path below it. An empty `cut`
// (the tree's root item was selected meanwhile) removes nothing.
void AppendWithout(std::string& out, std::string_view text, std::string_view cut) {
  if (cut.empty()) {
    out.append(text);
    return;
  }
  std::size_t from = 0;
  for (std::size_t at = text.find(cut); at != std::string_view::npos; at = text.find(cut, from)) {
    out.append(text.substr(from, at - from));
    from = at + cut.size();
  }
  out.append(text.substr(from));
}

}  // namespace

std::string ShownText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (char character : text) {
    switch (character) {
      case '\t':
        shown += "\\t";
        break;
      case '\n':
        shown += "\\n";
        break;
      case '\r':
        shown += "\\r";
        break;
      default:
        shown += character;
    }
  }
  return shown;
}

std::string NameCell(const FileRecord& record) {
  return ShownText(record.name.view());
}

std::string FolderCell(const FileRecord& record, std::string_view root, char separator) {
  std::string below;
  AppendWithout(below, record.directory.view(), root);
  std::string cell = "...";
  cell += separator;
  cell += ShownText(below);
  return cell;
}

std::string RowText(const FileRecord& record, std::string_view root, char separator) {
  std::string row = NameCell(record);
  row += '\n';
  row += IntToDecimal(record.sizeKB);
  row += " KB\n";
  row += FolderCell(record, root, separator);
  row += '\n';
  row += IntToDecimal(record.id);
  return row;
}

}  // namespace kz
