#include "app/win32/image_button.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "app/win32/saved_dc.h"
#include "common/unique_handle.h"
#include "platform/win32/win_handles.h"

namespace kz {
namespace {

// A theme is the controls' business, not the platform's: its policy lives beside its one user.
struct ThemePolicy {
  using Handle = HTHEME;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { CloseThemeData(handle); }
};
using ButtonTheme = UniqueHandle<ThemePolicy>;

ButtonTheme OpenButtonTheme(HWND button) {
  return ButtonTheme(IsAppThemed() ? OpenThemeData(button, L"BUTTON") : nullptr);
}

SIZE IconSize(HICON icon) {
  SIZE size{0, 0};
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return size;
  // GetIconInfo makes copies of both bitmaps, which the caller deletes.
  UniqueBitmap color(info.hbmColor);
  UniqueBitmap mask(info.hbmMask);
  BITMAP bitmap{};
  if (info.hbmColor && GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap)) {
    size = {bitmap.bmWidth, bitmap.bmHeight};
  } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap)) {
    size = {bitmap.bmWidth, bitmap.bmHeight / 2};
  }
  return size;
}

}  // namespace

LRESULT DrawImageOnButton(const NMCUSTOMDRAW& draw, HICON image) {
  if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
  if (draw.dwDrawStage != CDDS_POSTPAINT || !image) return CDRF_DODEFAULT;
  // The button has drawn its face, hot and default look and focus rectangle; the image goes on
  // top, clear of the edge.
  HDC dc = draw.hdc;
  RECT face = draw.rc;
  bool pressed = draw.uItemState & CDIS_SELECTED;
  bool disabled = draw.uItemState & CDIS_DISABLED;
  ButtonTheme theme = OpenButtonTheme(draw.hdr.hwndFrom);
  int margin = theme.get() ? 4 : 2;
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
  return CDRF_DODEFAULT;
}

}  // namespace kz
