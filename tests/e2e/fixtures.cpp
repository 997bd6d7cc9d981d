#include "tests/e2e/fixtures.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/input.h"
#include "tests/e2e/remote_tree.h"
#include "tests/e2e/screenshot.h"

namespace kz::e2e {

bool MakeFolders(const std::wstring& path) {
  for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos;
       at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
  return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CopyMedia(const Options& options, const std::wstring& media, const std::wstring& target) {
  std::wstring source = options.work + L"\\_media\\" + media;
  std::size_t slash = target.rfind(L'\\');
  if (slash != std::wstring::npos) MakeFolders(target.substr(0, slash));
  return CopyFileW(source.c_str(), target.c_str(), FALSE) != 0;
}

bool CopyMediaTagged(const Options& options, const std::wstring& media, const std::wstring& target,
                     std::size_t tagBytes, std::size_t flipAt) {
  HANDLE source = CreateFileW((options.work + L"\\_media\\" + media).c_str(), GENERIC_READ,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (source == INVALID_HANDLE_VALUE) return false;
  std::string audio(GetFileSize(source, nullptr), '\0');
  DWORD read = 0;
  BOOL ok = ReadFile(source, audio.data(), static_cast<DWORD>(audio.size()), &read, nullptr);
  CloseHandle(source);
  if (!ok || read != audio.size()) return false;
  if (flipAt < audio.size()) audio[flipAt] = static_cast<char>(audio[flipAt] ^ 0x01);
  // An ID3v2.4 tag of zero bytes, padding as taggers leave it.
  std::string tag;
  if (tagBytes > 0) {
    tag = std::string("ID3\x04\x00\x00", 6);
    for (int shift = 21; shift >= 0; shift -= 7)
      tag.push_back(static_cast<char>((tagBytes >> shift) & 0x7F));
    tag.append(tagBytes, '\0');
  }
  return WriteText(target, tag + audio);
}

bool WriteText(const std::wstring& path, const std::string& content) {
  std::size_t slash = path.rfind(L'\\');
  if (slash != std::wstring::npos) MakeFolders(path.substr(0, slash));
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == content.size();
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

std::string Drain(HANDLE pipe) {
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(pipe, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    text.append(buffer, read);
  }
  return text;
}

}  // namespace

CliResult RunCli(const Options& options, const std::wstring& arguments) {
  CliResult result;
  std::wstring exe = options.exe.substr(0, options.exe.rfind(L'\\') + 1) + L"klangzwilling-cli.exe";
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE outRead, outWrite, errRead, errWrite;
  CreatePipe(&outRead, &outWrite, &inherit, 0);
  CreatePipe(&errRead, &errWrite, &inherit, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  PROCESS_INFORMATION info{};
  BOOL started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  if (started) {
    // Small outputs: reading one pipe after the other cannot block the child for long.
    result.out = Drain(outRead);
    result.err = Drain(errRead);
    WaitForSingleObject(info.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    result.exitCode = code;
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
  CloseHandle(outRead);
  CloseHandle(errRead);
  return result;
}

std::vector<std::string> ReadRows(AppProcess& app, HWND list, int columns) {
  std::vector<std::string> rows;
  int count = app.RowCount(list);
  for (int row = 0; row < count; ++row) {
    std::string line;
    for (int column = 0; column < columns; ++column) {
      if (column > 0) line += '\t';
      line += app.RowText(list, row, column);
    }
    rows.push_back(line);
  }
  return rows;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool SelectFolder(AppProcess& app, const Options& options,
                  const std::vector<std::string>& folders) {
  RemoteTree tree(app, app.Control(id::kFolderTree));
  HTREEITEM root = tree.Root();
  if (!root) return false;
  tree.Expand(root);
  HTREEITEM item = tree.ChildContaining(root, Utf8(options.workDrive));
  if (!item) return false;
  for (const std::string& folder : folders) {
    tree.Expand(item);
    HTREEITEM child = nullptr;
    for (HTREEITEM candidate : tree.Children(item)) {
      if (tree.Text(candidate) == folder) child = candidate;
    }
    if (!child) return false;
    item = child;
  }
  tree.Click(item);
  return tree.Selected() == item;
}

std::vector<COLORREF> CapturePixels(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  std::vector<COLORREF> pixels;
  HDC screen = GetDC(nullptr);
  for (int y = bounds.top; y < bounds.bottom; y += 2) {
    for (int x = bounds.left; x < bounds.right; x += 2) pixels.push_back(GetPixel(screen, x, y));
  }
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace kz::e2e

namespace kz::e2e {

bool ClickRow(AppProcess& app, HWND list, int row, bool right) {
  SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
  RemoteMemory memory(app.process(), sizeof(RECT));
  RECT request{LVIR_LABEL, 0, 0, 0};
  memory.Write(&request, sizeof(request));
  if (!SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(memory.address()))) {
    return false;
  }
  RECT bounds{};
  memory.Read(&bounds, sizeof(bounds));
  POINT spot{bounds.left + 20, (bounds.top + bounds.bottom) / 2};
  ClientToScreen(list, &spot);
  ClickAt(spot, right);
  app.Settle(150);
  return true;
}

bool BoxOfRow(AppProcess& app, HWND list, int row, POINT& screen) {
  SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
  app.Settle(100);
  RemoteMemory memory(app.process(), sizeof(LVHITTESTINFO));
  RECT bounds{LVIR_BOUNDS, 0, 0, 0};
  memory.Write(&bounds, sizeof(bounds));
  if (!SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(memory.address()))) {
    return false;
  }
  memory.Read(&bounds, sizeof(bounds));
  int first = -1;
  int last = -1;
  for (int x = bounds.left; x < bounds.left + 40; ++x) {
    LVHITTESTINFO hit{};
    hit.pt = POINT{x, (bounds.top + bounds.bottom) / 2};
    memory.Write(&hit, sizeof(hit));
    SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(memory.address()));
    memory.Read(&hit, sizeof(hit));
    if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON)) {
      if (first < 0) first = x;
      last = x;
    }
  }
  if (first < 0) return false;
  screen = POINT{(first + last) / 2, (bounds.top + bounds.bottom) / 2};
  ClientToScreen(list, &screen);
  return true;
}

int SearchFolder(AppProcess& app, const Options& options, const std::string& folder) {
  if (!SelectFolder(app, options, {folder})) return -1;
  app.Settle(200);
  ClickControl(app.Control(id::kSearchButton));
  WaitFor(
      [&] {
        std::string status = app.StatusText(0);
        return IsWindowEnabled(app.Control(id::kRecursiveCheck)) &&
               status.rfind(" Suche", 0) == 0 && status.find("Suche nach") == std::string::npos;
      },
      20000);
  app.Settle(300);
  return app.RowCount(app.Control(id::kResultList));
}

bool WaitForFreshWelcome(AppProcess& app) {
  return WaitFor(
      [&] {
        PostMessageW(app.main(), WM_NULL, 0, 0);  // a pass of the main loop
        return app.StatusText(0).starts_with(" Herzlich willkommen");
      },
      8000);
}

bool ShowsOutcome(const std::string& status, const std::string& outcome) {
  return status == outcome || status.starts_with(" Herzlich willkommen");
}

std::string RemoveTickedRows(AppProcess& app, int row) {
  WaitForFreshWelcome(app);
  if (!ChooseMenuItem(app, row, id::kRemoveItem)) return "";
  HWND question = FindProgramWindow(app.id(), L"#32770", L"Info!");
  if (!question) return "";
  PressKey(VK_RETURN);  // Yes is the default button
  WaitFor([&] { return !IsWindow(question); }, 5000);
  app.Settle(300);
  return app.StatusText(0);
}

HWND FindProgramWindow(DWORD processId, const wchar_t* windowClass, const wchar_t* caption,
                       DWORD timeoutMs) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND window = FindWindowExW(nullptr, nullptr, windowClass, caption); window;
             window = FindWindowExW(nullptr, window, windowClass, caption)) {
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner == processId && IsWindowVisible(window)) found = window;
        }
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

HWND FindPopupMenu(DWORD processId, DWORD timeoutMs) {
  return FindProgramWindow(processId, L"#32768", nullptr, timeoutMs);
}

HWND HighlightMenuItem(AppProcess& app, int row, int item, const std::wstring& shot) {
  // The items in menu order; separators are passed over by the arrow keys.
  const int order[] = {id::kPropertiesItem,        id::kRemoveItem,     id::kRecycleItem,
                       id::kTickAllButLargestItem, id::kTickFolderItem, id::kClearTicksItem,
                       id::kCompareRecordingsItem};
  const int* place = std::find(std::begin(order), std::end(order), item);
  if (place == std::end(order) || !ClickRow(app, app.Control(id::kResultList), row, true))
    return nullptr;
  HWND menu = FindPopupMenu(app.id());
  if (!menu) return nullptr;
  app.Settle(200);
  if (!shot.empty()) SaveScreenshot(shot);
  // Home highlights the first item whatever the pointer rests on.
  PressKey(VK_HOME);
  for (auto down = place - order; down > 0; --down) PressKey(VK_DOWN);
  app.Settle(100);
  return menu;
}

int RowOf(AppProcess& app, const std::string& folder, const std::string& name) {
  HWND list = app.Control(id::kResultList);
  for (int row = 0; row < app.RowCount(list); ++row) {
    if (app.RowText(list, row, kNameColumn) == name &&
        app.RowText(list, row, kFolderColumn) == "...\\" + folder + "\\") {
      return row;
    }
  }
  return -1;
}

void Tick(AppProcess& app, int row) {
  app.SetRowState(app.Control(id::kResultList), row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
}

bool Ticked(AppProcess& app, int row) {
  return row >= 0 &&
         (app.RowState(app.Control(id::kResultList), row, LVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool ChooseMenuItem(AppProcess& app, int row, int item, const std::wstring& shot) {
  HWND menu = HighlightMenuItem(app, row, item, shot);
  if (!menu) return false;
  PressKey(VK_RETURN);
  app.Settle(200);
  return WaitFor([&] { return !IsWindow(menu) || !IsWindowVisible(menu); }, 3000);
}

std::vector<std::string> ReadPropertiesOfRow(AppProcess& app, int row, DWORD timeoutMs) {
  // The properties are those of the selected row, and a right click does not select.
  if (!ClickRow(app, app.Control(id::kResultList), row) ||
      !ChooseMenuItem(app, row, id::kPropertiesItem))
    return {};
  HWND window =
      FindProgramWindow(app.id(), L"KlangzwillingProperties", L"Eigenschaften", timeoutMs);
  if (!window) return {};
  app.Settle(300);
  std::vector<std::string> rows = ReadRows(app, GetDlgItem(window, id::kPropertiesList), 2);
  PostMessageW(window, WM_CLOSE, 0, 0);
  WaitFor([&] { return !IsWindow(window); }, 5000);
  app.Settle(200);
  return rows;
}

}  // namespace kz::e2e
