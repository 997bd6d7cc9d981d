#include "app/win32/folder_tree_prompt.h"

#include <string>

#include "app/layout.h"
#include "app/win32/dpi.h"
#include "platform/win32/wide_text.h"

namespace kz {

namespace {

constexpr const wchar_t* kClassName = L"KlangzwillingMediumPrompt";
constexpr int kClientWidth = 340;
constexpr int kClientHeight = 104;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

bool RegisterPromptClass(HINSTANCE instance, WNDPROC windowProc) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kClassName, &existing)) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0;
}

// Centred over the owner's window.
POINT CentredOver(HWND owner, int width, int height) {
  RECT frame{};
  if (!owner || !GetWindowRect(owner, &frame)) return {CW_USEDEFAULT, CW_USEDEFAULT};
  return {frame.left + (frame.right - frame.left - width) / 2,
          frame.top + (frame.bottom - frame.top - height) / 2};
}

HWND AddChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
              const LayoutRect& at, int id, HFONT font) {
  HWND child = CreateWindowExW(
      0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, at.x, at.y, at.width, at.height,
      parent, reinterpret_cast<HMENU>(INT_PTR{id}), GetModuleHandleW(nullptr), nullptr);
  if (child && font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

}  // namespace

MediumPrompt::~MediumPrompt() {
  onClosed_ = nullptr;  // whoever owns us is going away too
  Close();
}

bool MediumPrompt::Open(HWND owner, char letter, HFONT font) {
  Close();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterPromptClass(instance, &WindowProc)) return false;
  dpi_ = ScreenDpi();
  RECT size{0, 0, ScaleToDpi(kClientWidth, dpi_), ScaleToDpi(kClientHeight, dpi_)};
  AdjustWindowRectEx(&size, kStyle, FALSE, kExStyle);
  int width = size.right - size.left;
  int height = size.bottom - size.top;
  POINT at = CentredOver(owner, width, height);
  letter_ = letter;
  HWND window = CreateWindowExW(kExStyle, kClassName, Widen("Kein Datenträger").c_str(), kStyle,
                                at.x, at.y, width, height, owner, nullptr, instance, this);
  if (!window) return false;
  window_ = window;
  AddControls(font);
  ShowWindow(window, SW_SHOW);
  return true;
}

void MediumPrompt::AddControls(HFONT font) {
  icon_ = LargeDriveIcon(letter_);
  if (HWND picture = AddChild(window_, L"STATIC", L"", SS_ICON,
                              ScaleToDpi(LayoutRect{14, 14, 32, 32}, dpi_), -1, nullptr)) {
    SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
  }
  std::string message = "Bitte legen Sie einen Datenträger in Laufwerk ";
  message += letter_;
  message += ": ein.";
  AddChild(window_, L"STATIC", Widen(message), SS_LEFT,
           ScaleToDpi(LayoutRect{60, 18, 266, 36}, dpi_), -1, font);
  HWND cancel = AddChild(
      window_, L"BUTTON", Widen("Abbrechen"), BS_DEFPUSHBUTTON | WS_TABSTOP,
      ScaleToDpi(LayoutRect{kClientWidth - 100, kClientHeight - 36, 88, 26}, dpi_), IDCANCEL, font);
  if (cancel) SetFocus(cancel);
}

void MediumPrompt::Close() {
  if (window_) DestroyWindow(window_);  // Destroyed() runs on the way
}

void MediumPrompt::Destroyed() {
  bool wasOpen = window_ != nullptr;  // not when the window failed during its creation
  window_ = nullptr;
  icon_.reset();  // the picture control that showed it is gone by now
  if (wasOpen && onClosed_) onClosed_(letter_);
}

LRESULT CALLBACK MediumPrompt::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* prompt = reinterpret_cast<MediumPrompt*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCCREATE:
      prompt = static_cast<MediumPrompt*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(prompt));
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) DestroyWindow(window);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      if (prompt) prompt->Destroyed();
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace kz
