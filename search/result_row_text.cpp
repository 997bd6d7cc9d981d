#include "search/result_row_text.h"

#include "search/result_row.h"

namespace kz {

void AppendResultRowText(std::string& out, const FileRecord& record, char separator,
                         std::string_view cut) {
  out += RowText(record, cut, separator);
}

}  // namespace kz
