#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/file_record.h"
#include "core/result_row.h"

namespace kz {

// The user-interface operations and the event service. Every operation addresses its control,
// status-bar field or menu item by id and does nothing, returning 0 or "", for an id that has no
// control. Texts are UTF-8.
class Ui {
 public:
  virtual ~Ui() = default;

  virtual std::string ControlText(int id) = 0;
  virtual void SetControlText(int id, std::string_view text) = 0;
  virtual std::int32_t ControlState(int id) = 0;
  // For the search button the value is an image from ImageById.
  virtual void SetControlState(int id, std::int64_t value) = 0;
  // flag 1 disables, 0 enables.
  virtual void DisableControl(int id, int flag) = 0;
  virtual std::int32_t RowCount(int id) = 0;
  // Bit set: 1 selected, 2 ticked; 0 for a row outside the list.
  virtual std::int32_t RowState(int id, std::int32_t row) = 0;
  // The first row at or after `from` whose state holds every bit of `bits`, or -1: what asking
  // RowState row by row answers. A list that keeps its rows' states can answer without the walk,
  // which the main loop would otherwise make through a whole large list on every pass.
  virtual std::int32_t FirstRowWithState(int id, std::int32_t bits, std::int32_t from) {
    for (std::int32_t row = from < 0 ? 0 : from, rows = RowCount(id); row < rows; ++row) {
      if ((RowState(id, row) & bits) == bits) return row;
    }
    return -1;
  }
  // Row -1 gives the column's header title.
  virtual std::string RowText(int id, std::int32_t row, std::int32_t column) = 0;
  // position -1 appends; the text holds the cells separated by "\n".
  virtual void AddRow(int id, std::int32_t position, std::string_view text) = 0;
  // Appends the row RowText(record, root, separator). A list that keeps the records can keep
  // such a row as its record, without building or copying the text.
  virtual void AddRecordRow(int id, const FileRecord& record, std::string_view root,
                            char separator) {
    AddRow(id, -1, kz::RowText(record, root, separator));
  }
  // The number in the row's ID cell, read as DecimalToInt reads it. A list that keeps its rows as
  // records answers without building the row's text.
  virtual std::int32_t RowIdCell(int id, std::int32_t row);
  // True when the row's name and folder cells are exactly those of `record` with the folder cut
  // by `root`: the row shows that record. A list that keeps the row as that very record answers
  // without reading any text.
  virtual bool RowShowsRecord(int id, std::int32_t row, const FileRecord& record,
                              std::string_view root, char separator);
  // Ticks or unticks one row. Inside a row batch the list shows the new ticks once, at its end,
  // and reports them as one change.
  virtual void SetRowTicked(int id, std::int32_t row, bool ticked) = 0;
  virtual void RemoveRow(int id, std::int32_t row) = 0;
  virtual void ClearRows(int id) = 0;
  virtual void SetControlAttribute(int id, int attribute, std::int32_t value) = 0;
  virtual void SetStatusText(int field, std::string_view text) = 0;
  virtual void DisableMenuItem(int item, int flag) = 0;
  virtual void ShowItemMenu() = 0;
  virtual std::int64_t ImageById(int imageId) = 0;

  // A large fill of a list, many rows removed or many ticks changed: the list may stop redrawing
  // and reserve room for `expectedRows` until EndRowBatch. Rows, their order and their states are
  // the same as without it.
  virtual void BeginRowBatch(int id, std::int32_t expectedRows) = 0;
  virtual void EndRowBatch(int id) = 0;
  // Shows the cells of every row anew: what they are made of (a row's recording) changed.
  virtual void RefreshRows(int id) = 0;

  // Event service.
  virtual std::int32_t WaitEvent() = 0;
  virtual std::int32_t PollEvent() = 0;
  virtual std::int32_t EventSource() = 0;
  virtual std::int32_t EventType() = 0;

  // Windows beyond the main window's controls.
  virtual void EnableMainWindow(bool enabled) = 0;
  // Opens the properties window with its (empty) list; false when either cannot be created.
  virtual bool OpenPropertiesWindow() = 0;
  // Makes the owner active, then destroys the properties window.
  virtual void ClosePropertiesWindow() = 0;
  // The modal yes/no question; answers 6 for Yes, 7 for No.
  virtual std::int32_t AskYesNo(std::string_view caption, std::string_view text) = 0;

  // While on, the event service delivers a wake-up at least four times a second, so that the
  // playback display follows a playing file when no input arrives.
  virtual void SetPlaybackWakeups(bool on) = 0;

  // While a long task runs between events (deleting many files): the keys and clicks of the
  // user are dropped before any control sees them, but for clicks on the control `kept` (-1:
  // none), a close request and the window's own painting and moving.
  virtual void DropInput(bool dropped, int kept) = 0;
};

}  // namespace kz
