#pragma once

#include <windows.h>

#include <functional>

#include "app/win32/folder_tree_shell.h"

namespace kz {

// The prompt for a drive without a medium: a small window of our own that names the drive and
// offers "Abbrechen". It does not block: the program's message loop keeps running and the
// prompt closes itself through Close() when a medium arrives.
class MediumPrompt {
 public:
  // Called once the prompt's window is gone, however it was closed.
  using ClosedHandler = std::function<void(char letter)>;

  explicit MediumPrompt(ClosedHandler onClosed) : onClosed_(std::move(onClosed)) {}
  ~MediumPrompt();
  MediumPrompt(const MediumPrompt&) = delete;
  MediumPrompt& operator=(const MediumPrompt&) = delete;

  // Shows the prompt for `letter` over `owner`; false when its window cannot be made.
  bool Open(HWND owner, char letter, HFONT font);
  bool IsOpen() const { return window_ != nullptr; }
  char letter() const { return letter_; }
  HWND hwnd() const { return window_; }
  void Close();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void AddControls(HFONT font);
  void Destroyed();

  ClosedHandler onClosed_;
  HWND window_ = nullptr;
  char letter_ = 0;
  int dpi_ = 96;  // the layout below is drawn for 96 dpi and scaled to the screen's
  UniqueIcon icon_;
};

}  // namespace kz
