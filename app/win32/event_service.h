#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>

namespace kz {

// The program's one event state: the window procedures record what a dispatched message meant
// (a control or menu event, a close request), and Wait/Poll hand it to the program as a code.
class EventService {
 public:
  EventService();
  EventService(const EventService&) = delete;
  EventService& operator=(const EventService&) = delete;
  ~EventService();

  std::int32_t Wait() { return Next(true); }
  std::int32_t Poll() { return Next(false); }
  std::int32_t source() const { return source_; }
  std::int32_t type() const { return type_; }

  // Called by the window procedures while a message is dispatched.
  void RecordControlEvent(int controlId, std::int32_t eventType);
  void RecordMenuEvent(int itemId);
  // A window event such as a close request; not queued when it equals the last entry.
  void QueueWindowEvent(std::int32_t code, int windowId);

  // While dropped, keyboard and mouse input is taken from the queue and thrown away, except
  // clicks on `kept` and the keys of the system (Alt+F4), and the frame's own mouse messages
  // (its close box): what a long task between events lets through.
  void DropInput(bool dropped, HWND kept) {
    inputDropped_ = dropped;
    keptWindow_ = kept;
  }

  // Tab and Shift+Tab move the focus within this window.
  void SetAcceleratorWindow(HWND window) { acceleratorWindow_ = window; }

  // Command ids the accelerators send to the accelerator window.
  static constexpr WORD kFocusNextCommand = 0x7F01;
  static constexpr WORD kFocusPreviousCommand = 0x7F02;

 private:
  struct WindowEvent {
    std::int32_t code;
    int windowId;
  };
  std::int32_t Next(bool blocking);

  std::deque<WindowEvent> queue_;
  std::int32_t source_ = -1;
  std::int32_t type_ = -1;
  bool controlRecorded_ = false;
  bool menuRecorded_ = false;
  bool IsDroppedInput(const MSG& message) const;

  HACCEL accelerators_ = nullptr;
  bool inputDropped_ = false;
  HWND keptWindow_ = nullptr;
  HWND acceleratorWindow_ = nullptr;
};

}  // namespace kz
