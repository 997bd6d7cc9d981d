#include "tests/e2e/app_process.h"

#include <commctrl.h>

#include <vector>

#include "core/ids.h"
#include "tests/e2e/e2e.h"

namespace kz::e2e {

AppProcess::AppProcess(const std::wstring& exe) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
}

AppProcess::~AppProcess() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

HWND AppProcess::WaitForMainWindow(DWORD timeoutMs) {
  WaitFor(
      [&] {
        HWND window = FindWindowW(L"KlangzwillingMainWindow", nullptr);
        DWORD owner = 0;
        if (window) GetWindowThreadProcessId(window, &owner);
        if (window && owner == processId_ && IsWindowVisible(window)) main_ = window;
        return main_ != nullptr;
      },
      timeoutMs);
  if (main_) Settle(300);
  return main_;
}

void AppProcess::Settle(DWORD extraMs) {
  DWORD_PTR result = 0;
  if (main_) SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, Patient(10000), &result);
  Sleep(extraMs);
  if (main_) SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, Patient(10000), &result);
}

long long AppProcess::WaitForExit(DWORD timeoutMs) {
  if (!process_ || WaitForSingleObject(process_, Patient(timeoutMs)) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

std::string AppProcess::WindowText(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                      Patient(5000), &copied);
  return Utf8(std::wstring(text, copied));
}

std::string AppProcess::StatusText(int field) {
  HWND status = Control(id::kStatusBar);
  if (!status) return "<no status bar>";
  RemoteMemory buffer(process_, 4096);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(status, SB_GETTEXTW, field, reinterpret_cast<LPARAM>(buffer.address()),
                      SMTO_NORMAL, 5000, &result);
  std::vector<wchar_t> text(2048, L'\0');
  buffer.Read(text.data(), text.size() * sizeof(wchar_t) - 2);
  return Utf8(text.data());
}

int AppProcess::RowCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string AppProcess::RowText(HWND list, int row, int column) {
  constexpr std::size_t kChars = 4096;
  RemoteMemory memory(process_, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = kChars;
  item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(memory.address()) + sizeof(LVITEMW));
  memory.Write(&item, sizeof(item));
  auto length = static_cast<std::size_t>(
      SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory.address())));
  std::vector<wchar_t> text(length + 1, L'\0');
  memory.Read(text.data(), length * sizeof(wchar_t), sizeof(LVITEMW));
  return Utf8(std::wstring(text.data(), length));
}

UINT AppProcess::RowState(HWND list, int row, UINT mask) {
  return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, row, mask));
}

bool AppProcess::SetRowState(HWND list, int row, UINT state, UINT mask) {
  RemoteMemory memory(process_, sizeof(LVITEMW));
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  memory.Write(&item, sizeof(item));
  return SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(memory.address())) != 0;
}

}  // namespace kz::e2e
