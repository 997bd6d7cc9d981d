// kz_listfill_bench N: fills a visible report list view like the program's result list (tick
// boxes, grid lines, full-row selection, the same four columns) with N rows of four cells, three
// ways, and prints the milliseconds of each:
//   redraw_on   one row at a time with drawing on; capped at kRedrawOnCap rows because it takes
//               milliseconds a row under Wine, and extrapolated linearly to N (marked so)
//   redraw_off  between WM_SETREDRAW FALSE and TRUE
//   batch       as redraw_off, with LVM_SETITEMCOUNT first (how the program fills its list)
// Each row goes in as the program adds one: LVM_INSERTITEMW, then LVM_SETITEMTEXTW per cell. The
// time runs until the list has painted itself after the fill. Also prints the heap each row
// takes (heap_bytes_per_row), measured over the first fill of all N rows, and the time of the
// End key on the filled list until its last row is painted (end_ms).

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/win32/linux_memory.h"
#include "bench/win32/stopwatch.h"

namespace {

constexpr int kRedrawOnCap = 1000;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateMainWindow(HINSTANCE instance) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"KzListFillBench";
  if (!RegisterClassW(&windowClass)) return nullptr;
  return CreateWindowExW(0, windowClass.lpszClassName, L"kz_listfill_bench",
                         WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 660, 340, nullptr, nullptr,
                         instance, nullptr);
}

// The program's result list: same styles, extended styles, size and columns.
HWND CreateResultList(HWND parent, HINSTANCE instance) {
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                  LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                              216, 16, 408, 244, parent, nullptr, instance, nullptr);
  if (!list) return nullptr;
  DWORD extended =
      LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_CHECKBOXES;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  const struct {
    const wchar_t* title;
    int width;
  } columns[] = {{L"Dateiname", 328}, {L"Gr\u00f6sse", 64}, {L"Verzeichnis", 2048}, {L"ID", 32}};
  int index = 0;
  for (const auto& column : columns) {
    LVCOLUMNW info{};
    info.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    info.fmt = LVCFMT_LEFT;
    info.cx = column.width;
    info.pszText = const_cast<wchar_t*>(column.title);
    info.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&info));
    ++index;
  }
  return list;
}

// Handles what is pending (paints included), so each variant starts from a settled window.
void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void AddRow(HWND list, int row) {
  std::wstring cells[4] = {L"Titel " + std::to_wstring(row % 50000) + L".mp3",
                           std::to_wstring(3000 + row % 5000) + L" KB",
                           L"...\\Interpret " + std::to_wstring(row % 997) + L"\\Album " +
                               std::to_wstring(row / 12) + L"\\",
                           std::to_wstring(row)};
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = cells[0].data();
  int inserted =
      static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  for (int column = 1; column < 4; ++column) {
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = cells[column].data();
    SendMessageW(list, LVM_SETITEMTEXTW, inserted, reinterpret_cast<LPARAM>(&cell));
  }
}

// Wine opens files in its server process, so /proc/self would be the server: the process is
// found by its command line, the largest heap among those naming this program.
long long OwnHeapBytes() {
  return kz::bench::HeapBytesOfProgram("kz_listfill_bench", "\n");
}

enum class Fill { kRedrawOn, kRedrawOff, kBatch };

double TimeFill(HWND list, int rows, Fill fill) {
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  Pump();
  Stopwatch clock;
  if (fill != Fill::kRedrawOn) SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  if (fill == Fill::kBatch) {
    SendMessageW(list, LVM_SETITEMCOUNT, rows, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  }
  for (int row = 0; row < rows; ++row) AddRow(list, row);
  if (fill != Fill::kRedrawOn) {
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
  }
  UpdateWindow(list);
  double ms = clock.ElapsedMs();
  if (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) != rows) return -1;
  return ms;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int rows = argc == 2 ? _wtoi(argv[1]) : 0;
  if (rows <= 0) {
    std::fprintf(stderr, "usage: kz_listfill_bench N\n");
    return 2;
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HWND window = CreateMainWindow(instance);
  HWND list = window ? CreateResultList(window, instance) : nullptr;
  if (!list) return 1;
  UpdateWindow(window);
  Pump();

  int capped = std::min(rows, kRedrawOnCap);
  double redrawOn = TimeFill(list, capped, Fill::kRedrawOn);
  if (capped < rows) {
    std::printf("redraw_on_ms=%.0f (extrapolated from %d rows: %.0f ms)\n",
                redrawOn * rows / capped, capped, redrawOn);
  } else {
    std::printf("redraw_on_ms=%.0f\n", redrawOn);
  }
  std::fflush(stdout);
  // The first fill of all N rows takes fresh memory; later ones reuse what it freed.
  long long before = OwnHeapBytes();
  std::printf("redraw_off_ms=%.0f\n", TimeFill(list, rows, Fill::kRedrawOff));
  long long after = OwnHeapBytes();
  if (before >= 0 && after >= 0) {
    std::printf("heap_bytes_per_row=%.0f\n", static_cast<double>(after - before) / rows);
  }
  std::fflush(stdout);
  std::printf("batch_ms=%.0f\n", TimeFill(list, rows, Fill::kBatch));
  // The End key on the first row of the filled list, until the last row is painted.
  SetFocus(list);
  Pump();
  Stopwatch clock;
  SendMessageW(list, WM_KEYDOWN, VK_END, 0);
  SendMessageW(list, WM_KEYUP, VK_END, 0);
  UpdateWindow(list);
  std::printf("end_ms=%.1f\n", clock.ElapsedMs());
  DestroyWindow(window);
  return 0;
}
