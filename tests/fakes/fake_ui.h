#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/ui.h"

namespace kz::testing {

// An in-memory user interface: the controls of the main window (and the properties window once
// opened) with their texts, states, rows and enabled flags, plus a scripted event queue.
class FakeUi : public Ui {
 public:
  struct Row {
    std::vector<std::string> cells;
    std::int32_t state = 0;
  };
  struct ScriptedEvent {
    std::int32_t code;
    std::int32_t source = -1;
    std::int32_t type = -1;
  };

  FakeUi();

  // Ui
  std::string ControlText(int id) override;
  void SetControlText(int id, std::string_view text) override;
  std::int32_t ControlState(int id) override;
  void SetControlState(int id, std::int64_t value) override;
  void DisableControl(int id, int flag) override;
  std::int32_t RowCount(int id) override;
  std::int32_t RowState(int id, std::int32_t row) override;
  std::string RowText(int id, std::int32_t row, std::int32_t column) override;
  void AddRow(int id, std::int32_t position, std::string_view text) override;
  void SetRowTicked(int id, std::int32_t row, bool ticked) override;
  void RemoveRow(int id, std::int32_t row) override;
  void ClearRows(int id) override;
  void SetControlAttribute(int id, int attribute, std::int32_t value) override;
  void SetStatusText(int field, std::string_view text) override;
  void DisableMenuItem(int item, int flag) override;
  void ShowItemMenu() override { ++menusShown; }
  std::int64_t ImageById(int imageId) override;
  void BeginRowBatch(int id, std::int32_t expectedRows) override;
  void EndRowBatch(int id) override;
  void RefreshRows(int id) override { log.push_back("RefreshRows " + std::to_string(id)); }
  std::int32_t WaitEvent() override;
  std::int32_t PollEvent() override;
  std::int32_t EventSource() override { return source_; }
  std::int32_t EventType() override { return type_; }
  void EnableMainWindow(bool enabled) override;
  bool OpenPropertiesWindow() override;
  void ClosePropertiesWindow() override;
  std::int32_t AskYesNo(std::string_view caption, std::string_view text) override;
  void SetPlaybackWakeups(bool on) override { playbackWakeups = on; }
  void DropInput(bool dropped, int kept) override {
    inputDropped = dropped;
    keptControl = dropped ? kept : -1;
  }

  // Scripting and inspection.
  void QueueEvent(ScriptedEvent event) { events.push_back(event); }
  void QueueClick(int control) { events.push_back({13100, control, 0}); }
  void QueueMenu(int item) { events.push_back({13101, item, -1}); }
  void QueueClose() { events.push_back({16, -1, -1}); }
  void SelectRow(int id, std::int32_t row);  // -1 clears the selection
  void TickRow(int id, std::int32_t row, bool ticked);
  bool IsDisabled(int id) const;
  bool IsMenuItemDisabled(int item) const;
  std::vector<Row>& Rows(int id) { return lists_[id]; }

  // Column 4 ("Aufnahme") of a result row, made from the number in its ID cell, as the window's
  // list makes it from the row's record; empty when not set.
  std::function<std::string(std::int32_t recordId)> recordingCell;
  // Called at every WaitEvent or PollEvent before the queue is read, so a test can act "during"
  // a scan or a wait (change the tree's selection, advance a clock...).
  std::function<void()> onEvent;
  std::deque<ScriptedEvent> events;
  std::deque<std::int32_t> answers;      // for AskYesNo; 7 (No) when empty
  std::vector<std::string> status{2};    // the two status fields
  std::vector<std::string> log;          // "DisableControl 13 1", "SetStatusText 0 ..." ...
  std::map<int, std::string> texts;      // ControlText for ids without a list
  std::map<int, std::int64_t> states;    // ControlState / SetControlState values
  std::map<int, std::int32_t> rangeMax;  // position bar
  std::map<int, std::int32_t> rangeMin;
  std::vector<std::string> questions;  // "caption|text" of each AskYesNo
  int menusShown = 0;
  int polls = 0;
  int waits = 0;
  bool mainWindowEnabled = true;
  bool propertiesOpen = false;
  bool propertiesCanOpen = true;
  bool playbackWakeups = false;
  bool inputDropped = false;
  int keptControl = -1;

 private:
  std::int32_t Take(bool blocking);
  bool HasControl(int id) const;

  std::map<int, std::vector<Row>> lists_;
  std::map<int, bool> disabled_;
  std::map<int, bool> menuDisabled_;
  std::int32_t source_ = -1;
  std::int32_t type_ = -1;
};

}  // namespace kz::testing
