#pragma once

#include <windows.h>

namespace kz::e2e {

// Real input through the system's queue, so the program sees it as a user's.
void ClickAt(POINT screen, bool right = false);
void ClickControl(HWND control, bool right = false);  // at its centre
void PressKey(WORD virtualKey, bool withShift = false, bool withAlt = false);

// Where a control lies within its parent's client area.
RECT ClientRectInParent(HWND control);

}  // namespace kz::e2e
