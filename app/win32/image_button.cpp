#include "app/win32/image_button.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "app/win32/gdi_handles.h"

namespace kz {
namespace {

class ButtonTheme {
 public:
  explicit ButtonTheme(HWND button)
      : theme_(IsAppThemed() ? OpenThemeData(button, L"BUTTON") : nullptr) {}
  ButtonTheme(const ButtonTheme&) = delete;
  ButtonTheme& operator=(const ButtonTheme&) = delete;
  ~ButtonTheme() {
    if (theme_) CloseThemeData(theme_);
  }
  HTHEME get() const { return theme_; }

 private:
  HTHEME theme_;
};

SIZE IconSize(HICON icon) {
  SIZE size{0, 0};
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return size;
  BITMAP bitmap{};
  if (info.hbmColor && GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap)) {
    size = {bitmap.bmWidth, bitmap.bmHeight};
  } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap)) {
    size = {bitmap.bmWidth, bitmap.bmHeight / 2};
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

}  // namespace

void DrawImageButton(const DRAWITEMSTRUCT& item, HICON image) {
  HDC dc = item.hDC;
  RECT face = item.rcItem;
  bool pressed = item.itemState & ODS_SELECTED;
  bool disabled = item.itemState & ODS_DISABLED;
  bool focused = (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT);

  ButtonTheme theme(item.hwndItem);
  int margin = 2;
  if (theme.get()) {
    int state = disabled ? PBS_DISABLED : pressed ? PBS_PRESSED : PBS_NORMAL;
    if (IsThemeBackgroundPartiallyTransparent(theme.get(), BP_PUSHBUTTON, state)) {
      DrawThemeParentBackground(item.hwndItem, dc, &face);
    }
    DrawThemeBackground(theme.get(), dc, BP_PUSHBUTTON, state, &face, nullptr);
    margin = 4;
  } else {
    UINT look = DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u) | (disabled ? DFCS_INACTIVE : 0u);
    DrawFrameControl(dc, &face, DFC_BUTTON, look);
  }

  if (image) {
    SavedDc saved(dc);
    IntersectClipRect(dc, face.left + margin, face.top + margin, face.right - margin,
                      face.bottom - margin);
    SIZE size = IconSize(image);
    int x = face.left + (face.right - face.left - size.cx) / 2 + (pressed ? 1 : 0);
    int y = face.top + (face.bottom - face.top - size.cy) / 2 + (pressed ? 1 : 0);
    if (disabled) {
      DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image), 0, x, y, size.cx, size.cy,
                 DST_ICON | DSS_DISABLED);
    } else {
      DrawIconEx(dc, x, y, image, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    }
  }

  if (focused) {
    RECT focus = face;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace kz
