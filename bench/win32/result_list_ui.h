#pragma once

// The user-interface operations of the result list alone, over the program's own ResultList,
// so that the bench runs the program's handlers on the list without the rest of the window.

#include "app/win32/result_list.h"
#include "core/ids.h"
#include "core/ui.h"

namespace kz::bench {

class ResultListUi final : public Ui {
 public:
  explicit ResultListUi(ResultList& list) : list_(list) {}
  std::string status;  // field 0

  std::int32_t ControlState(int id) override { return Is(id) ? list_.SelectedRow() : 0; }
  std::int32_t RowCount(int id) override { return Is(id) ? list_.RowCount() : 0; }
  std::int32_t RowState(int id, std::int32_t row) override {
    return Is(id) ? list_.RowState(row) : 0;
  }
  std::int32_t FirstRowWithState(int id, std::int32_t bits, std::int32_t from) override {
    return Is(id) ? list_.FirstRowWithState(bits, from) : -1;
  }
  std::string RowText(int id, std::int32_t row, std::int32_t column) override {
    return Is(id) ? list_.RowText(row, column) : "";
  }
  std::int32_t RowIdCell(int id, std::int32_t row) override {
    return Is(id) ? list_.RowIdCell(row) : 0;
  }
  bool RowShowsRecord(int id, std::int32_t row, const FileRecord& record, std::string_view root,
                      char) override {
    return Is(id) && list_.RowShowsRecord(row, record, root);
  }
  void SetRowTicked(int id, std::int32_t row, bool ticked) override {
    if (Is(id)) list_.SetRowTicked(row, ticked);
  }
  void BeginRowBatch(int id, std::int32_t rows) override {
    if (Is(id)) list_.BeginBatch(rows);
  }
  void EndRowBatch(int id) override {
    if (Is(id)) list_.EndBatch();
  }
  void SetStatusText(int field, std::string_view text) override {
    if (field == 0) status = text;
  }

  std::string ControlText(int) override { return ""; }
  void SetControlText(int, std::string_view) override {}
  void SetControlState(int, std::int64_t) override {}
  void DisableControl(int, int) override {}
  void AddRow(int, std::int32_t, std::string_view) override {}
  void RemoveRow(int, std::int32_t) override {}
  void ClearRows(int) override {}
  void SetControlAttribute(int, int, std::int32_t) override {}
  void DisableMenuItem(int, int) override {}
  void ShowItemMenu() override {}
  std::int64_t ImageById(int) override { return 0; }
  std::int32_t WaitEvent() override { return 0; }
  std::int32_t PollEvent() override { return 0; }
  std::int32_t EventSource() override { return -1; }
  std::int32_t EventType() override { return -1; }
  void EnableMainWindow(bool) override {}
  bool OpenPropertiesWindow() override { return false; }
  void ClosePropertiesWindow() override {}
  std::int32_t AskYesNo(std::string_view, std::string_view) override { return 7; }
  void SetPlaybackWakeups(bool) override {}
  void DropInput(bool, int) override {}
  void RefreshRows(int) override {}

 private:
  static bool Is(int id) { return id == id::kResultList; }
  ResultList& list_;
};

}  // namespace kz::bench
