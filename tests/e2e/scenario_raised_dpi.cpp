// The main window at a raised DPI (the runner gives this scenario a Wine prefix of its own at
// 144 dpi, 150 %): the window grown with the DPI, every control inside the client area and above
// the status bar, no two controls on top of each other, and the labels' texts whole.

#include <windows.h>

#include <string>
#include <vector>

#include "core/ids.h"
#include "platform/win32/win_handles.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/screenshot.h"

namespace kz::e2e {
namespace {

struct Child {
  HWND window;
  std::string name;
  RECT bounds;  // in the main window's client area
  bool frame;
};

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

// The main window's own children (not their inner parts such as a list's header).
std::vector<Child> Children(HWND main) {
  std::vector<Child> children;
  for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT bounds{};
    GetWindowRect(child, &bounds);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&bounds), 2);
    wchar_t windowClass[64] = L"";
    GetClassNameW(child, windowClass, 64);
    bool frame = (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
                 std::wstring(windowClass) == L"Button";
    children.push_back(
        {child,
         Utf8(windowClass) + " " + std::to_string(GetDlgCtrlID(child)) + " at " + Describe(bounds),
         bounds, frame});
  }
  return children;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Selects an object into a device context for one scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Width and height of a text in the controls' font: the default GUI font's face at 8 points.
SIZE TextSize(const wchar_t* text, int dpi) {
  LOGFONTW face{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(face), &face);
  face.lfHeight = -MulDiv(8, dpi, 72);
  face.lfWidth = 0;
  UniqueFont font(CreateFontIndirectW(&face));
  ScreenDc screen = GetScreenDc();
  SelectedObject selected(screen.get(), font.get());
  SIZE size{};
  GetTextExtentPoint32W(screen.get(), text, static_cast<int>(wcslen(text)), &size);
  return size;
}

void RaisedDpi(const Options& options, Checker& check) {
  // Without this, Wine shows this driver every window at 96 dpi.
  SetProcessDPIAware();
  int dpi = GetDeviceCaps(GetScreenDc().get(), LOGPIXELSY);
  if (!check.Check(dpi > 96, "the screen runs at a raised DPI: " + std::to_string(dpi))) return;

  AppProcess app(options.exe);
  // The first program in this prefix's fresh Wine server waits for Wine's services to start.
  if (!app.WaitForMainWindow(60000)) {
    DWORD code = 0;
    bool ended = app.process() && GetExitCodeProcess(app.process(), &code) && code != STILL_ACTIVE;
    check.Check(false, std::string("main window appears (the program ") +
                           (!app.started() ? "did not start"
                            : ended        ? "ended with " + std::to_string(code)
                                           : "runs without it") +
                           ")");
    return;
  }
  app.Settle(300);
  RECT client{};
  GetClientRect(app.main(), &client);
  check.Equal(client.right, MulDiv(640, dpi, 96), "client width grows with the DPI");
  check.Equal(client.bottom, MulDiv(344, dpi, 96), "client height grows with the DPI");
  RECT screenArea{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT outer{};
  GetWindowRect(app.main(), &outer);
  check.Check(Inside(outer, screenArea), "the window lies on the screen: " + Describe(outer));

  RECT working = client;
  if (HWND status = app.Control(id::kStatusBar)) {
    RECT bar{};
    GetWindowRect(status, &bar);
    MapWindowPoints(nullptr, app.main(), reinterpret_cast<POINT*>(&bar), 2);
    check.Equal(bar.bottom, client.bottom, "the status bar lies along the bottom");
    working.bottom = bar.top;
  } else {
    check.Check(false, "status bar");
  }

  std::vector<Child> children = Children(app.main());
  check.Check(children.size() >= 15, "controls, frames and status bar found");
  for (const Child& child : children) {
    if (child.window == app.Control(id::kStatusBar)) continue;
    check.Check(Inside(child.bounds, working), child.name + " inside the client area");
  }
  for (std::size_t a = 0; a < children.size(); ++a) {
    for (std::size_t b = a + 1; b < children.size(); ++b) {
      if (children[a].frame || children[b].frame) continue;
      RECT both{};
      check.Check(!IntersectRect(&both, &children[a].bounds, &children[b].bounds),
                  children[a].name + " apart from " + children[b].name);
    }
  }

  // Labels whole: the check box's text beside its box, the time field's text in the field.
  RECT checkBox{};
  GetClientRect(app.Control(id::kRecursiveCheck), &checkBox);
  SIZE label = TextSize(L"Rekursive Suche", dpi);
  check.Check(GetSystemMetrics(SM_CXMENUCHECK) + label.cx <= checkBox.right,
              "\"Rekursive Suche\" fits its check box");
  check.Check(label.cy <= checkBox.bottom, "the check box is as tall as its text");
  RECT timeField{};
  GetClientRect(app.Control(id::kTimeField), &timeField);
  SIZE time = TextSize(L"00:00:00", dpi);
  check.Check(time.cx + 4 <= timeField.right, "\"00:00:00\" fits the time field");
  check.Check(time.cy <= timeField.bottom, "the time field is as tall as its text");

  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\raised-dpi.bmp");
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kRaisedDpi("raised-dpi", RaisedDpi);

}  // namespace
}  // namespace kz::e2e
