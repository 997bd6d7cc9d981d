#pragma once

#include <string>
#include <string_view>

#include "search/file_record.h"

namespace kz {

// Appends the result-list row of a duplicate record: its cells name, "N KB", the directory below
// the searched folder ("..." and the separator, then the directory with every occurrence of
// `cut` left out) and the ID, separated by "\n". The list fill and the list's own row store
// build the same text, so a row shown from its record reads exactly as the row that was added.
void AppendResultRowText(std::string& out, const FileRecord& record, char separator,
                         std::string_view cut);

}  // namespace kz
