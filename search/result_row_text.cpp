#include "search/result_row_text.h"

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

void AppendResultRowText(std::string& out, const FileRecord& record, char separator,
                         std::string_view cut) {
  out.append(record.name.view());
  out += '\n';
  out += IntToDecimal(record.sizeKB);
  out += " KB\n...";
  out += separator;
  AppendWithout(out, record.directory.view(), cut);
  out += '\n';
  out += IntToDecimal(record.id);
}

}  // namespace kz
