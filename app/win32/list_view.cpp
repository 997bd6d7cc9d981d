#include "app/win32/list_view.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace kz::list_view {

std::int32_t RowCount(HWND list) {
  return static_cast<std::int32_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

std::int32_t SelectedRow(HWND list) {
  return static_cast<std::int32_t>(
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::int32_t RowState(HWND list, std::int32_t row) {
  if (row < 0 || row >= RowCount(list)) return 0;
  auto state = static_cast<UINT>(
      SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_SELECTED | LVIS_STATEIMAGEMASK));
  std::int32_t bits = 0;
  if (state & LVIS_SELECTED) bits |= 1;
  if (((state & LVIS_STATEIMAGEMASK) >> 12) == 2) bits |= 2;  // state image 2: ticked
  return bits;
}

std::string RowText(HWND list, std::int32_t row, std::int32_t column) {
  if (column < 0) return "";
  std::vector<wchar_t> buffer(264);
  if (row == -1) {
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = buffer.data();
    info.cchTextMax = static_cast<int>(buffer.size());
    if (!SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info))) return "";
    return Narrow(info.pszText);
  }
  if (row < 0 || row >= RowCount(list)) return "";
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    auto length = static_cast<std::size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    // A text that filled the buffer may have been cut: read again with more room.
    if (length + 1 < buffer.size() || buffer.size() >= 65536) {
      return Narrow(std::wstring_view(buffer.data(), length));
    }
    buffer.resize(buffer.size() * 4);
  }
}

void AddRow(HWND list, std::int32_t position, std::string_view text) {
  std::vector<std::wstring> cells;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find('\n', start);
    cells.push_back(Widen(text.substr(start, end == std::string_view::npos ? end : end - start)));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = position < 0 ? RowCount(list) : position;
  item.pszText = cells[0].data();
  auto row =
      static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return;
  for (std::size_t column = 1; column < cells.size(); ++column) {
    LVITEMW cell{};
    cell.iSubItem = static_cast<int>(column);
    cell.pszText = cells[column].data();
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
  }
}

void RemoveRow(HWND list, std::int32_t row) {
  SendMessageW(list, LVM_DELETEITEM, row, 0);
}

void ClearRows(HWND list) {
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
}

void BeginBatch(HWND list, std::int32_t expectedRows) {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  if (expectedRows > 0) {
    SendMessageW(list, LVM_SETITEMCOUNT, RowCount(list) + expectedRows,
                 LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  }
}

void EndBatch(HWND list) {
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace kz::list_view
