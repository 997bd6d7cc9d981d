#include "app/win32/event_service.h"

#include "core/ids.h"

namespace kz {

EventService::EventService() {
  ACCEL keys[] = {
      {FVIRTKEY, VK_TAB, kFocusNextCommand},
      {FVIRTKEY | FSHIFT, VK_TAB, kFocusPreviousCommand},
  };
  accelerators_ = CreateAcceleratorTableW(keys, 2);
}

EventService::~EventService() {
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

void EventService::RecordControlEvent(int controlId, std::int32_t eventType) {
  source_ = controlId;
  type_ = eventType;
  controlRecorded_ = true;
}

void EventService::RecordMenuEvent(int itemId) {
  source_ = itemId;
  menuRecorded_ = true;
}

void EventService::QueueWindowEvent(std::int32_t code, int windowId) {
  if (!queue_.empty() && queue_.back().code == code && queue_.back().windowId == windowId) return;
  queue_.push_back({code, windowId});
}

bool EventService::IsDroppedInput(const MSG& message) const {
  if (!inputDropped_) return false;
  bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST &&
             message.message != WM_SYSKEYDOWN && message.message != WM_SYSKEYUP &&
             message.message != WM_SYSCHAR;
  bool mouse = message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST;
  return key || (mouse && (!keptWindow_ || message.hwnd != keptWindow_));
}

std::int32_t EventService::Next(bool blocking) {
  type_ = control_event::kNone;
  // Cleared before the platform is asked, so that a report made while it delivers sent messages
  // inside GetMessage or PeekMessage belongs to this call, and one from before does not.
  controlRecorded_ = false;
  menuRecorded_ = false;
  if (!queue_.empty()) {
    WindowEvent next = queue_.front();
    queue_.pop_front();
    return next.code;
  }
  MSG message{};
  do {
    if (blocking) {
      BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got <= 0) return event::kClose;  // WM_QUIT or a broken queue: nothing more will come
    } else if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      return event::kNone;
    } else if (message.message == WM_QUIT) {
      return event::kClose;
    }
  } while (IsDroppedInput(message));
  bool forAcceleratorWindow = acceleratorWindow_ && (message.hwnd == acceleratorWindow_ ||
                                                     IsChild(acceleratorWindow_, message.hwnd));
  if (!forAcceleratorWindow ||
      !TranslateAcceleratorW(acceleratorWindow_, accelerators_, &message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (menuRecorded_) return event::kMenu;
  if (controlRecorded_) return event::kControl;
  if (!queue_.empty()) {
    // The dispatch queued a window event (a close request): it is this call's event, and it
    // must not stay behind for the next caller.
    WindowEvent next = queue_.front();
    queue_.pop_front();
    return next.code;
  }
  // A close message that no window of ours turned into a close event is no close request.
  if (message.message == WM_CLOSE) return event::kNone;
  return static_cast<std::int32_t>(message.message);
}

}  // namespace kz
