#include "app/win32/win_ui.h"

#include <commctrl.h>

#include <vector>

#include "app/win32/list_view.h"
#include "core/ids.h"
#include "core/result_row.h"
#include "platform/win32/wide_text.h"

namespace kz {
namespace {

constexpr UINT_PTR kPlaybackTimer = 1;
constexpr UINT kPlaybackTimerMs = 200;

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return Narrow(text);
}

struct DisabledWindows {
  HWND owner;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOtherWindow(HWND window, LPARAM context) {
  auto* state = reinterpret_cast<DisabledWindows*>(context);
  if (window != state->owner && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    state->windows.push_back(window);
  }
  return TRUE;
}

}  // namespace

HWND WinUi::Control(int id) const {
  if (id == id::kPropertiesList) return properties_ ? properties_->list() : nullptr;
  if (id == id::kPropertiesWindow) return properties_ ? properties_->hwnd() : nullptr;
  if (id == id::kMainWindow) return main_.hwnd();
  return main_.Control(id);
}

HWND WinUi::List(int id) const {
  return id == id::kResultList || id == id::kPropertiesList ? Control(id) : nullptr;
}

std::string WinUi::ControlText(int id) {
  HWND control = Control(id);
  if (!control) return "";
  if (id == id::kFolderTree) return main_.tree() ? main_.tree()->SelectedPath() : "";
  if (ResultList* results = Results(id)) {
    std::int32_t selected = results->SelectedRow();
    return selected < 0 ? "" : results->RowText(selected, kNameColumn);
  }
  if (HWND list = List(id)) {
    std::int32_t selected = list_view::SelectedRow(list);
    return selected < 0 ? "" : list_view::RowText(list, selected, 0);
  }
  return WindowText(control);
}

void WinUi::SetControlText(int id, std::string_view text) {
  if (HWND control = Control(id)) SetWindowTextW(control, Widen(text).c_str());
}

std::int32_t WinUi::ControlState(int id) {
  HWND control = Control(id);
  if (!control) return 0;
  switch (id) {
    case id::kRecursiveCheck:
      return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    case id::kResultList:
      return Results(id) ? Results(id)->SelectedRow() : -1;
    case id::kPropertiesList:
      return list_view::SelectedRow(control);
    case id::kPositionBar:
      return static_cast<std::int32_t>(SendMessageW(control, TBM_GETPOS, 0, 0));
    default:
      return 0;
  }
}

void WinUi::SetControlState(int id, std::int64_t value) {
  HWND control = Control(id);
  if (!control) return;
  switch (id) {
    case id::kRecursiveCheck:
      SendMessageW(control, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      return;
    case id::kPositionBar:
      SendMessageW(control, TBM_SETPOS, TRUE,
                   static_cast<LPARAM>(static_cast<std::int32_t>(value)));
      return;
    case id::kSearchButton:
    case id::kPlayButton:
    case id::kPauseButton:
    case id::kStopButton:
    case id::kRewindButton:
    case id::kForwardButton:
      main_.SetButtonImage(id, reinterpret_cast<HICON>(static_cast<std::intptr_t>(value)));
      return;
    default:
      return;
  }
}

void WinUi::DisableControl(int id, int flag) {
  if (HWND control = Control(id)) EnableWindow(control, flag ? FALSE : TRUE);
}

ResultList* WinUi::Results(int id) const {
  return id == id::kResultList ? main_.results() : nullptr;
}

std::int32_t WinUi::RowCount(int id) {
  if (ResultList* results = Results(id)) return results->RowCount();
  HWND list = List(id);
  return list ? list_view::RowCount(list) : 0;
}

std::int32_t WinUi::RowState(int id, std::int32_t row) {
  if (ResultList* results = Results(id)) return results->RowState(row);
  HWND list = List(id);
  return list ? list_view::RowState(list, row) : 0;
}

std::string WinUi::RowText(int id, std::int32_t row, std::int32_t column) {
  if (ResultList* results = Results(id)) return results->RowText(row, column);
  HWND list = List(id);
  return list ? list_view::RowText(list, row, column) : "";
}

std::int32_t WinUi::FirstRowWithState(int id, std::int32_t bits, std::int32_t from) {
  if (ResultList* results = Results(id)) return results->FirstRowWithState(bits, from);
  return Ui::FirstRowWithState(id, bits, from);
}

std::int32_t WinUi::RowIdCell(int id, std::int32_t row) {
  if (ResultList* results = Results(id)) return results->RowIdCell(row);
  return Ui::RowIdCell(id, row);
}

bool WinUi::RowShowsRecord(int id, std::int32_t row, const FileRecord& record,
                           std::string_view root, char separator) {
  ResultList* results = Results(id);
  if (!results || separator != '\\') return Ui::RowShowsRecord(id, row, record, root, separator);
  return results->RowShowsRecord(row, record, root);
}

void WinUi::SetRowTicked(int id, std::int32_t row, bool ticked) {
  // Only the result list has tick boxes.
  if (ResultList* results = Results(id)) results->SetRowTicked(row, ticked);
}

std::string WinUi::CutForNextRow(ResultList& results) {
  return results.RowCount() == 0 ? ControlText(id::kFolderTree) : std::string();
}

void WinUi::AddRow(int id, std::int32_t position, std::string_view text) {
  if (ResultList* results = Results(id)) {
    results->AddRow(position, text, CutForNextRow(*results));
    return;
  }
  if (HWND list = List(id)) list_view::AddRow(list, position, text);
}

void WinUi::AddRecordRow(int id, const FileRecord& record, std::string_view root, char separator) {
  ResultList* results = Results(id);
  if (!results || separator != '\\') {
    Ui::AddRecordRow(id, record, root, separator);
    return;
  }
  results->AddRecordRow(record, root, CutForNextRow(*results));
}

void WinUi::RemoveRow(int id, std::int32_t row) {
  if (ResultList* results = Results(id)) {
    results->RemoveRow(row);
    return;
  }
  if (HWND list = List(id)) list_view::RemoveRow(list, row);
}

void WinUi::ClearRows(int id) {
  if (ResultList* results = Results(id)) {
    results->ClearRows();
    return;
  }
  if (HWND list = List(id)) list_view::ClearRows(list);
}

void WinUi::BeginRowBatch(int id, std::int32_t expectedRows) {
  if (ResultList* results = Results(id)) {
    results->BeginBatch(expectedRows);
    return;
  }
  if (HWND list = List(id)) list_view::BeginBatch(list, expectedRows);
}

void WinUi::EndRowBatch(int id) {
  if (ResultList* results = Results(id)) {
    results->EndBatch();
    return;
  }
  if (HWND list = List(id)) list_view::EndBatch(list);
}

void WinUi::RefreshRows(int id) {
  if (HWND list = List(id)) InvalidateRect(list, nullptr, FALSE);
}

void WinUi::SetControlAttribute(int id, int attribute, std::int32_t value) {
  HWND control = id == id::kPositionBar ? Control(id) : nullptr;
  if (!control) return;
  if (attribute == attribute::kRangeMinimum) SendMessageW(control, TBM_SETRANGEMIN, TRUE, value);
  if (attribute == attribute::kRangeMaximum) SendMessageW(control, TBM_SETRANGEMAX, TRUE, value);
}

void WinUi::SetStatusText(int field, std::string_view text) {
  HWND status = Control(id::kStatusBar);
  if (!status || field < 0 || field > 1) return;
  std::wstring wide = Widen(text);
  SendMessageW(status, SB_SETTEXTW, field, reinterpret_cast<LPARAM>(wide.c_str()));
}

void WinUi::DisableMenuItem(int item, int flag) {
  if (!main_.itemMenu() || !id::IsMenuItem(item)) return;
  EnableMenuItem(main_.itemMenu(), MainWindow::kMenuCommandBase + item,
                 MF_BYCOMMAND | (flag ? MF_GRAYED : MF_ENABLED));
}

void WinUi::ShowItemMenu() {
  if (!main_.itemMenu()) return;
  SetForegroundWindow(main_.hwnd());
  POINT mouse{};
  GetCursorPos(&mouse);
  TrackPopupMenu(main_.itemMenu(), TPM_RIGHTBUTTON, mouse.x - 1, mouse.y - 1, 0, main_.hwnd(),
                 nullptr);
}

std::int64_t WinUi::ImageById(int imageId) {
  return reinterpret_cast<std::intptr_t>(images_.Find(imageId).icon());
}

void WinUi::EnableMainWindow(bool enabled) {
  EnableWindow(main_.hwnd(), enabled ? TRUE : FALSE);
  if (enabled && GetActiveWindow() == main_.hwnd()) main_.GiveBackFocus();
}

bool WinUi::OpenPropertiesWindow() {
  properties_ = PropertiesWindow::Open(instance_, main_.hwnd(), events_, main_.font(), main_.dpi());
  return properties_ != nullptr;
}

void WinUi::ClosePropertiesWindow() {
  // The window was opened for a row of the result list; the user goes on there. The main
  // window is still disabled here, so the focus follows when it is enabled again.
  if (HWND list = Control(id::kResultList)) main_.FocusOnActivation(list);
  properties_.reset();
}

std::int32_t WinUi::AskYesNo(std::string_view caption, std::string_view text) {
  // The question belongs to the window the user works with, when it is one of ours.
  HWND owner = GetActiveWindow();
  DWORD ownerProcess = 0;
  if (owner) GetWindowThreadProcessId(owner, &ownerProcess);
  if (!owner || ownerProcess != GetCurrentProcessId()) owner = main_.hwnd();

  // Every other window the user could reach meanwhile is disabled while the question is open.
  DisabledWindows disabled{owner, {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOtherWindow, reinterpret_cast<LPARAM>(&disabled));
  int answer = MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), MB_YESNO);
  for (HWND window : disabled.windows) EnableWindow(window, TRUE);
  return answer;
}

void WinUi::SetPlaybackWakeups(bool on) {
  if (on == wakeupsOn_) return;
  wakeupsOn_ = on;
  // WM_TIMER reaches the wait like any message, so the next pass refreshes the display.
  if (on) {
    SetTimer(main_.hwnd(), kPlaybackTimer, kPlaybackTimerMs, nullptr);
  } else {
    KillTimer(main_.hwnd(), kPlaybackTimer);
  }
}

}  // namespace kz
