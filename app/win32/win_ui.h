#pragma once

#include <windows.h>

#include <memory>

#include "app/win32/event_service.h"
#include "app/win32/image_loader.h"
#include "app/win32/main_window.h"
#include "app/win32/properties_window.h"
#include "core/ui.h"

namespace kz {

// The user-interface operations over the real controls, addressed by their program ids.
class WinUi final : public Ui {
 public:
  WinUi(HINSTANCE instance, MainWindow& main, EventService& events, const BuiltInImages& images)
      : instance_(instance), main_(main), events_(events), images_(images) {}

  std::string ControlText(int id) override;
  void SetControlText(int id, std::string_view text) override;
  std::int32_t ControlState(int id) override;
  void SetControlState(int id, std::int64_t value) override;
  void DisableControl(int id, int flag) override;
  std::int32_t RowCount(int id) override;
  std::int32_t RowState(int id, std::int32_t row) override;
  std::string RowText(int id, std::int32_t row, std::int32_t column) override;
  std::int32_t FirstRowWithState(int id, std::int32_t bits, std::int32_t from) override;
  void AddRow(int id, std::int32_t position, std::string_view text) override;
  void AddRecordRow(int id, const FileRecord& record, std::string_view root,
                    char separator) override;
  std::int32_t RowIdCell(int id, std::int32_t row) override;
  bool RowShowsRecord(int id, std::int32_t row, const FileRecord& record, std::string_view root,
                      char separator) override;
  void SetRowTicked(int id, std::int32_t row, bool ticked) override;
  void RemoveRow(int id, std::int32_t row) override;
  void ClearRows(int id) override;
  void SetControlAttribute(int id, int attribute, std::int32_t value) override;
  void SetStatusText(int field, std::string_view text) override;
  void DisableMenuItem(int item, int flag) override;
  void ShowItemMenu() override;
  std::int64_t ImageById(int imageId) override;
  void BeginRowBatch(int id, std::int32_t expectedRows) override;
  void EndRowBatch(int id) override;
  void RefreshRows(int id) override;
  std::int32_t WaitEvent() override { return events_.Wait(); }
  std::int32_t PollEvent() override { return events_.Poll(); }
  std::int32_t EventSource() override { return events_.source(); }
  std::int32_t EventType() override { return events_.type(); }
  void EnableMainWindow(bool enabled) override;
  bool OpenPropertiesWindow() override;
  void ClosePropertiesWindow() override;
  std::int32_t AskYesNo(std::string_view caption, std::string_view text) override;
  void SetPlaybackWakeups(bool on) override;
  void DropInput(bool dropped, int kept) override {
    events_.DropInput(dropped, dropped && kept >= 0 ? Control(kept) : nullptr);
  }

 private:
  HWND Control(int id) const;
  HWND List(int id) const;
  // The result list's own rows, or null for any other id.
  ResultList* Results(int id) const;
  // The folder text the rows' directories are cut by: read for the first row only.
  std::string CutForNextRow(ResultList& results);

  HINSTANCE instance_;
  MainWindow& main_;
  EventService& events_;
  const BuiltInImages& images_;
  std::unique_ptr<PropertiesWindow> properties_;
  bool wakeupsOn_ = false;
};

}  // namespace kz
