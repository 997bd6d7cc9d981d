#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace kz::list_view {

// The list-view side of the row operations, for the result list and the properties list.
std::int32_t RowCount(HWND list);
std::int32_t SelectedRow(HWND list);
// 1 selected, 2 ticked; 0 for a row outside the list.
std::int32_t RowState(HWND list, std::int32_t row);
// Row -1 gives the column's header title; "" when the cell cannot be read.
std::string RowText(HWND list, std::int32_t row, std::int32_t column);
// The text holds the cells separated by "\n"; position -1 appends.
void AddRow(HWND list, std::int32_t position, std::string_view text);
void RemoveRow(HWND list, std::int32_t row);
void ClearRows(HWND list);
// Redrawing off and room reserved for a large fill, and back on.
void BeginBatch(HWND list, std::int32_t expectedRows);
void EndBatch(HWND list);

}  // namespace kz::list_view
