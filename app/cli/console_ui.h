#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "core/ui.h"

namespace kz::cli {

// The user interface of the command line: the folder tree's text is the folder to scan, the
// recursion check box is ticked unless --flat was given, each result row's text (cells
// separated by line feeds, as the window's list takes them) goes to `onRow`, and the status texts
// to `messages` (the progress drawn in place on a terminal only). The first Ctrl+C arrives as a
// click on the search button.
class ConsoleUi final : public Ui {
 public:
  using RowSink = std::function<void(std::string_view row)>;
  ConsoleUi(std::string root, bool recursive, RowSink onRow, std::FILE* messages,
            bool messagesOnTerminal);

  // Writes status fields 0 and 1 as they stand once the search has ended, one line each;
  // `firstField` 1 leaves out the outcome.
  void ReportStatus(int firstField = 0);
  const std::string& StatusText(int field) const { return status_[field == 1 ? 1 : 0]; }
  // True once a Ctrl+C has cut the search (or a comparison) short.
  bool interrupted() const { return interrupted_; }
  // Clears the progress line drawn on the terminal, before other messages are written.
  void EraseProgress();

  std::string ControlText(int id) override;
  void SetControlText(int, std::string_view) override {}
  std::int32_t ControlState(int id) override;
  void SetControlState(int, std::int64_t) override {}
  void DisableControl(int, int) override {}
  std::int32_t RowCount(int id) override;
  std::int32_t RowState(int, std::int32_t) override { return 0; }
  std::string RowText(int, std::int32_t, std::int32_t) override { return ""; }
  void AddRow(int id, std::int32_t position, std::string_view text) override;
  void SetRowTicked(int, std::int32_t, bool) override {}
  void RemoveRow(int, std::int32_t) override {}
  void ClearRows(int id) override;
  void SetControlAttribute(int, int, std::int32_t) override {}
  void SetStatusText(int field, std::string_view text) override;
  void DisableMenuItem(int, int) override {}
  void ShowItemMenu() override {}
  std::int64_t ImageById(int imageId) override { return imageId; }
  void BeginRowBatch(int, std::int32_t) override { EraseProgress(); }
  void EndRowBatch(int) override {}
  std::int32_t WaitEvent() override;
  std::int32_t PollEvent() override;
  std::int32_t EventSource() override { return source_; }
  std::int32_t EventType() override { return type_; }
  void EnableMainWindow(bool) override {}
  bool OpenPropertiesWindow() override { return false; }
  void ClosePropertiesWindow() override {}
  std::int32_t AskYesNo(std::string_view, std::string_view) override { return 7; }
  void SetPlaybackWakeups(bool) override {}
  void DropInput(bool, int) override {}
  void RefreshRows(int) override {}

 private:
  void DrawProgress(std::string_view text);

  std::string root_;
  bool recursive_;
  RowSink onRow_;
  std::FILE* messages_;
  bool messagesOnTerminal_;
  std::string status_[2];
  std::size_t progressWidth_ = 0;  // characters of the progress line on the terminal, 0 for none
  std::int32_t rowCount_ = 0;
  bool interrupted_ = false;
  std::int32_t source_ = -1;
  std::int32_t type_ = -1;
};

}  // namespace kz::cli
