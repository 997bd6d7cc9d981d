#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "app/result_rows.h"

namespace kz {

// The result list as an owner-data list view: the control holds only the row count and the
// selection, texts come from the program's rows when the control asks for them (LVN_GETDISPINFO),
// and tick marks from the rows' tick bits. An owner-data list ticks nothing by itself, so the
// click on a box, the Space key and LVM_SETITEMSTATE with a state image (as other processes
// send it) are turned into tick bits here; each tick change reaches the parent as the
// LVN_ITEMCHANGED of the state image that an ordinary list view sends.
class ResultList {
 public:
  // Subclasses `list`, which must have been created with LVS_OWNERDATA.
  explicit ResultList(HWND list);
  ResultList(const ResultList&) = delete;
  ResultList& operator=(const ResultList&) = delete;
  ~ResultList();

  HWND hwnd() const { return list_; }
  void UseRecords(ResultRows::RecordById records) { rows_.UseRecords(std::move(records)); }
  void UseRecordingCells(ResultRows::RecordingCellById cells) {
    rows_.UseRecordingCells(std::move(cells));
  }

  std::int32_t RowCount() const { return rows_.count(); }
  std::int32_t SelectedRow();
  // 1 selected, 2 ticked; 0 for a row outside the list.
  std::int32_t RowState(std::int32_t row);
  // The first row at or after `from` whose state holds every bit of `bits`, or -1.
  std::int32_t FirstRowWithState(std::int32_t bits, std::int32_t from);
  std::string RowText(std::int32_t row, std::int32_t column);
  std::int32_t RowIdCell(std::int32_t row) const { return rows_.IdCell(row); }
  bool RowShowsRecord(std::int32_t row, const FileRecord& record, std::string_view root) const {
    return rows_.ShowsRecord(row, record, root);
  }
  // In a batch the tick only enters the rows; the batch's end redraws and reports once.
  void SetRowTicked(std::int32_t row, bool ticked);
  // `cut`: the folder text that the rows' directories were built without.
  void AddRow(std::int32_t position, std::string_view text, std::string_view cut);
  // Appends the row RowText(record, root, '\\'), kept as the record where it can be.
  void AddRecordRow(const FileRecord& record, std::string_view root, std::string_view cut);
  void RemoveRow(std::int32_t row);
  void ClearRows();
  void BeginBatch(std::int32_t expectedRows);
  void EndBatch();

  // The parent's WM_NOTIFY from this list: the texts and tick marks asked for, and the search by
  // typed letters. True when handled, with the result in `result`.
  bool OnNotify(const NMHDR& header, LRESULT& result);

  std::size_t storageBytes() const { return rows_.storageBytes(); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR subclass, DWORD_PTR self);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT SetItemState(WPARAM row, const LVITEMW& item);
  LRESULT GetItemState(WPARAM row, LPARAM mask);
  // The row under `point` (-1 for none) and where on it.
  LVHITTESTINFO HitTest(LPARAM point);
  static bool MovesSelection(WPARAM key);
  // Lets the control handle an input that may select another row, without its cost per row.
  LRESULT MoveSelection(UINT message, WPARAM wParam, LPARAM lParam);
  // Sets or clears `bits` of the control's state of one row; nothing for a row below 0.
  void SetStateBits(std::int32_t row, UINT bits, bool set);
  std::int32_t SelectedRowOfControl();
  std::int32_t FocusedRow();
  // Where a selected or focused row `kept` is once row `removed` is taken out; -1 when gone.
  static std::int32_t RowAfterRemoval(std::int32_t kept, std::int32_t removed);
  // Changes the tick of one row, or of every row for -1, redraws and tells the parent.
  void SetTick(std::int32_t row, bool ticked);
  // Tells the parent that the tick of `row` (-1: of many rows) changed.
  void ReportTickChange(std::int32_t row, bool ticked);
  void FillDisplayInfo(LVITEMW& item);
  std::int32_t FindRow(const NMLVFINDITEMW& find);
  void UpdateCount(DWORD flags);

  HWND list_;
  ResultRows rows_{'\\'};
  bool batch_ = false;
  // Rows removed in this batch: the control still has the old count and the old places, so the
  // selected and focused rows are kept here until the batch ends.
  bool removedInBatch_ = false;
  bool ticksChangedInBatch_ = false;
  std::int32_t rowsAtBatchStart_ = 0;
  struct {
    std::int32_t selected = -1;
    std::int32_t focused = -1;
  } kept_;
  // The selected row as last asked for; forgotten whenever the control handles a message,
  // since only its own procedure can change the selection.
  std::int32_t selected_ = -1;
  bool selectedKnown_ = false;
};

}  // namespace kz
