#include "app/win32/properties_window.h"

#include <commctrl.h>

#include "app/layout.h"
#include "core/ids.h"

namespace kz {
namespace {

constexpr wchar_t kWindowClass[] = L"KlangzwillingProperties";
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

std::unique_ptr<PropertiesWindow> PropertiesWindow::Open(HINSTANCE instance, HWND owner,
                                                         EventService& events, HFONT font,
                                                         int dpi) {
  if (!RegisterWindowClass(instance)) return nullptr;
  std::unique_ptr<PropertiesWindow> properties(new PropertiesWindow(owner, events));

  RECT outer{0, 0, ScaleToDpi(layout::kPropertiesClientWidth, dpi),
             ScaleToDpi(layout::kPropertiesClientHeight, dpi)};
  AdjustWindowRect(&outer, kStyle, FALSE);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  if (width > screenWidth) width = screenWidth;
  if (height > screenHeight) height = screenHeight;
  HWND window = CreateWindowExW(0, kWindowClass, L"Eigenschaften", kStyle,
                                (screenWidth - width) / 2, (screenHeight - height) / 2, width,
                                height, owner, nullptr, instance, nullptr);
  if (!window) return nullptr;
  properties->window_ = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(properties.get()));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  ShowWindow(window, SW_SHOW);

  // The tool-window look comes after the window was sized for a normal title bar, so the outer
  // size stays and the smaller title bar leaves a taller client area.
  ShowWindow(window, SW_HIDE);
  SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  ShowWindow(window, SW_SHOW);

  LayoutRect at = ScaleToDpi(layout::kPropertiesList, dpi);
  HWND list = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS, at.x,
      at.y, at.width, at.height, window,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id::kPropertiesList)), instance, nullptr);
  if (!list) return nullptr;  // the destructor closes the window again
  properties->list_ = list;
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
  for (int column = 0; column < 2; ++column) {
    LVCOLUMNW info{};
    info.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    info.fmt = LVCFMT_LEFT;
    info.cx = ScaleToDpi(layout::kPropertiesColumns[static_cast<std::size_t>(column)], dpi);
    info.pszText = const_cast<wchar_t*>(L"");
    info.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
  }
  return properties;
}

PropertiesWindow::~PropertiesWindow() {
  if (!window_) return;
  SetActiveWindow(owner_);
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK PropertiesWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* self = reinterpret_cast<PropertiesWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == WM_CLOSE) {
    self->events_.QueueWindowEvent(16, id::kPropertiesWindow);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace kz
