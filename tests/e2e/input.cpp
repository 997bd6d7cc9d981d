#include "tests/e2e/input.h"

namespace kz::e2e {

void ClickAt(POINT screen, bool right) {
  SetCursorPos(screen.x, screen.y);
  Sleep(50);
  INPUT clicks[2] = {};
  for (INPUT& click : clicks) click.type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(1, &clicks[0], sizeof(INPUT));
  Sleep(50);
  SendInput(1, &clicks[1], sizeof(INPUT));
  Sleep(100);
}

void ClickControl(HWND control, bool right) {
  RECT bounds{};
  GetWindowRect(control, &bounds);
  ClickAt({(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2}, right);
}

void PressKey(WORD virtualKey, bool withShift, bool withAlt) {
  INPUT keys[6] = {};
  int count = 0;
  auto add = [&](WORD key, bool up) {
    keys[count].type = INPUT_KEYBOARD;
    keys[count].ki.wVk = key;
    keys[count].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ++count;
  };
  if (withShift) add(VK_SHIFT, false);
  if (withAlt) add(VK_MENU, false);
  add(virtualKey, false);
  add(virtualKey, true);
  if (withAlt) add(VK_MENU, true);
  if (withShift) add(VK_SHIFT, true);
  for (int i = 0; i < count; ++i) {
    SendInput(1, &keys[i], sizeof(INPUT));
    Sleep(30);
  }
  Sleep(100);
}

RECT ClientRectInParent(HWND control) {
  RECT bounds{};
  GetWindowRect(control, &bounds);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

}  // namespace kz::e2e
