#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/remote.h"

namespace kz::e2e {

// The program under test: started, found by its window, ended.
class AppProcess {
 public:
  explicit AppProcess(const std::wstring& exe);
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;
  ~AppProcess();  // kills the process if it still runs

  bool started() const { return process_ != nullptr; }
  // Waits for the main window; null when it did not appear.
  HWND WaitForMainWindow(DWORD timeoutMs = 20000);
  HWND main() const { return main_; }
  HWND Control(int id) const { return GetDlgItem(main_, id); }
  // The window with the keyboard focus in the program's window thread.
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    DWORD thread = GetWindowThreadProcessId(main_, nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
  }
  HANDLE process() const { return process_; }
  DWORD id() const { return processId_; }

  // Waits until the program has taken every message it was given (it is idle in its loop).
  void Settle(DWORD extraMs = 100);
  // Waits for the process to end; its exit code, or -1 after the timeout.
  long long WaitForExit(DWORD timeoutMs = 10000);

  // Reading controls across the process boundary.
  std::string StatusText(int field);
  std::string WindowText(HWND window);
  int RowCount(HWND list);
  std::string RowText(HWND list, int row, int column);
  UINT RowState(HWND list, int row, UINT mask);
  bool SetRowState(HWND list, int row, UINT state, UINT mask);

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  HWND main_ = nullptr;
};

}  // namespace kz::e2e
