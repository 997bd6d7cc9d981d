#pragma once

#include <windows.h>

#include <memory>

#include "app/win32/event_service.h"

namespace kz {

// The small tool window that lists a file's properties. It lives from opening to closing.
class PropertiesWindow {
 public:
  // Null when the window or its list cannot be created (nothing is left open then).
  static std::unique_ptr<PropertiesWindow> Open(HINSTANCE instance, HWND owner,
                                                EventService& events, HFONT font, int dpi);
  PropertiesWindow(const PropertiesWindow&) = delete;
  PropertiesWindow& operator=(const PropertiesWindow&) = delete;
  // Makes the owner the active window, then destroys the window.
  ~PropertiesWindow();

  HWND list() const { return list_; }
  HWND hwnd() const { return window_; }

 private:
  PropertiesWindow(HWND owner, EventService& events) : owner_(owner), events_(events) {}
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND owner_;
  EventService& events_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
};

}  // namespace kz
