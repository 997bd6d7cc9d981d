// kz_resultlist_bench N [N2]: the program's own result list (the owner-data list view and its row
// store) filled from N duplicate records, as the search fills it after the detection. Prints
//   fill_ms            sort by name, one row per record, until the list has painted itself
//                      (sort_ms and rows_ms: its first two parts; the rest is the control's)
//   heap_bytes_per_row what the fill added to the process's heap, per row (records excluded)
//   store_bytes_per_row the row store's own bytes per row
//   end_ms             the End key on the first row until the last row is painted
//   end_selected_ms    the same with the first row selected; click_ms and down_ms: a click on
//                      another row and the Down key with a row selected; remove_row_ms: one
//                      of 1,000 rows removed from the middle while one is selected, and
//                      remove_paint_ms the paint after them
//   tick_largest_ms, tick_folder_ms, clear_ticks_ms
//                      the popup menu's ticking items run by the program's own handlers over
//                      every row (the folder one with a row selected), until the list has painted
// and, with N2, the same for N2 records (fill_ms_2, end_ms_2, ...), for the figures at scale.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/win32/result_list.h"
#include "bench/win32/linux_memory.h"
#include "bench/win32/result_list_ui.h"
#include "bench/win32/stopwatch.h"
#include "core/program.h"
#include "platform/win32/win_clock.h"
#include "platform/win32/win_file_system.h"
#include "platform/win32/win_media.h"
#include "recordings/bulk_ticks.h"

namespace {

kz::ResultList* g_results = nullptr;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && g_results) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    LRESULT result = 0;
    if (header.hwndFrom == g_results->hwnd() && g_results->OnNotify(header, result)) return result;
  }
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
  windowClass.lpszClassName = L"KzResultListBench";
  if (!RegisterClassW(&windowClass)) return nullptr;
  return CreateWindowExW(0, windowClass.lpszClassName, L"kz_resultlist_bench",
                         WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 660, 340, nullptr, nullptr,
                         instance, nullptr);
}

// The program's result list: same styles, extended styles, size and columns.
HWND CreateResultList(HWND parent, HINSTANCE instance) {
  HWND list =
      CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                          LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
                      216, 16, 408, 244, parent, reinterpret_cast<HMENU>(8), instance, nullptr);
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

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

long long OwnHeapBytes() {
  return kz::bench::HeapBytesOfProgram("kz_resultlist_bench", "\n");
}

constexpr const char* kRoot = "C:\\Musik\\";

// DuplicateIndex and DuplicateList as the detection leaves them: the same records, ids in scan
// order, names and directories shared between the two lists.
void MakeRecords(kz::RecordList& index, kz::RecordList& list, int records) {
  index.reserve(records);
  list.reserve(records);
  for (int id = 0; id < records; ++id) {
    kz::FileRecord& record = index.insertAfterCurrent();
    record.id = id;
    record.name = "Titel " + std::to_string(id % (records / 2 + 1)) + ".mp3";
    record.directory = std::string(kRoot) + "Interpret " + std::to_string(id % 997) + "\\Album " +
                       std::to_string(id / 12) + "\\";
    record.sizeKB = 3000 + id % 5000;
    list.insertAfterCurrent() = record;
  }
}

// The ticking items of the popup menu, each from its choice until the list has painted.
void MeasureTicking(HWND list, kz::Program& program, const char* suffix) {
  for (std::int32_t id = 0; id < program.duplicateIndex.count(); ++id) {
    program.listedSizes.push_back(program.duplicateIndex.recordAt(id)->sizeKB * 1024LL - 100);
  }
  program.resultRoot = kRoot;
  // Compared already, every copy of a name one recording: the items measure their ticking.
  program.recordings.assign(static_cast<std::size_t>(program.duplicateIndex.count()), 1);
  program.recordingsComplete = true;
  LVITEMW selected{};
  selected.stateMask = selected.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
  Pump();
  const struct {
    const char* name;
    void (*handler)(kz::Program&);
  } items[] = {{"tick_largest_ms", [](kz::Program& p) { kz::TickAllButLargest(p); }},
               {"clear_ticks_ms", kz::ClearAllTicks},
               {"tick_folder_ms", [](kz::Program& p) { kz::TickFolderOfSelectedRow(p); }}};
  for (const auto& item : items) {
    Stopwatch clock;
    item.handler(program);
    UpdateWindow(list);
    std::printf("%s%s=%.1f\n", item.name, suffix, clock.ElapsedMs());
    auto& ui = static_cast<kz::bench::ResultListUi&>(program.ui);
    std::printf("%s_outcome%s=%s\n", item.name, suffix, ui.status.c_str());
    Pump();
  }
}

void Measure(HWND list, int records, const char* suffix) {
  kz::bench::ResultListUi ui(*g_results);
  kz::WinClock clock0;
  kz::WinFileSystem files;
  kz::WinMedia media;
  kz::Program program(ui, clock0, files, media);
  kz::RecordList& index = program.duplicateIndex;
  kz::RecordList& duplicates = program.duplicateList;
  MakeRecords(index, duplicates, records);
  g_results->UseRecords([&index](std::int32_t id) { return index.recordAt(id); });
  g_results->ClearRows();
  Pump();

  long long before = OwnHeapBytes();
  Stopwatch clock;
  duplicates.sortByName();
  double sortMs = clock.ElapsedMs();
  g_results->BeginBatch(duplicates.count());
  duplicates.rewind();
  while (duplicates.advance()) g_results->AddRecordRow(duplicates.current(), kRoot, kRoot);
  double rowsMs = clock.ElapsedMs();
  g_results->EndBatch();
  UpdateWindow(list);
  double fillMs = clock.ElapsedMs();
  std::printf("sort_ms%s=%.1f\nrows_ms%s=%.1f\n", suffix, sortMs, suffix, rowsMs - sortMs);
  long long after = OwnHeapBytes();
  std::printf("rows%s=%d\nfill_ms%s=%.1f\n", suffix, g_results->RowCount(), suffix, fillMs);
  if (before >= 0 && after >= 0) {
    std::printf("heap_bytes_per_row%s=%.1f\n", suffix,
                static_cast<double>(after - before) / records);
  }
  std::printf("store_bytes_per_row%s=%.1f\n", suffix,
              static_cast<double>(g_results->storageBytes()) / records);

  SetFocus(list);
  Pump();
  clock.Restart();
  SendMessageW(list, WM_KEYDOWN, VK_END, 0);
  SendMessageW(list, WM_KEYUP, VK_END, 0);
  UpdateWindow(list);
  double endMs = clock.ElapsedMs();
  bool atEnd =
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) == records - 1;
  std::printf("end_ms%s=%.1f\nend_reached%s=%d\n", suffix, endMs, suffix, atEnd ? 1 : 0);

  // The same key with the first row selected, as after a click on it: the list view then also
  // moves the selection, which under Wine costs time that grows with the row count.
  SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
  SendMessageW(list, WM_KEYUP, VK_HOME, 0);
  LVITEMW first{};
  first.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  first.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
  Pump();
  clock.Restart();
  SendMessageW(list, WM_KEYDOWN, VK_END, 0);
  SendMessageW(list, WM_KEYUP, VK_END, 0);
  UpdateWindow(list);
  std::printf("end_selected_ms%s=%.1f\n", suffix, clock.ElapsedMs());

  // A click on another visible row, and the Down key, each moving the selection.
  RECT box{};
  box.left = LVIR_LABEL;
  SendMessageW(list, LVM_GETITEMRECT, records - 3, reinterpret_cast<LPARAM>(&box));
  LPARAM at = MAKELPARAM(box.left + 8, (box.top + box.bottom) / 2);
  clock.Restart();
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  UpdateWindow(list);
  double clickMs = clock.ElapsedMs();
  bool clicked =
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == records - 3;
  std::printf("click_ms%s=%.1f\nclick_selected%s=%d\n", suffix, clickMs, suffix, clicked ? 1 : 0);
  clock.Restart();
  SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(list, WM_KEYUP, VK_DOWN, 0);
  UpdateWindow(list);
  std::printf("down_ms%s=%.1f\n", suffix, clock.ElapsedMs());

  // Rows removed from the middle while another is selected, in one batch as the deletion of
  // ticked files removes them: per row, and the list painted once afterwards.
  constexpr int kRemoved = 1000;
  clock.Restart();
  g_results->BeginBatch(0);
  for (int removed = 0; removed < kRemoved; ++removed) g_results->RemoveRow(records / 2);
  g_results->EndBatch();
  double removeMs = clock.ElapsedMs();
  UpdateWindow(list);
  std::printf("remove_row_ms%s=%.3f\nremove_paint_ms%s=%.1f\n", suffix, removeMs / kRemoved, suffix,
              clock.ElapsedMs() - removeMs);
  MeasureTicking(list, program, suffix);
  std::fflush(stdout);
  g_results->ClearRows();
  g_results->UseRecords(nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int records = argc >= 2 ? _wtoi(argv[1]) : 0;
  int more = argc >= 3 ? _wtoi(argv[2]) : 0;
  if (records <= 1) {
    std::fprintf(stderr, "usage: kz_resultlist_bench N [N2]\n");
    return 2;
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  HWND window = CreateMainWindow(instance);
  HWND list = window ? CreateResultList(window, instance) : nullptr;
  if (!list) return 1;
  auto results = std::make_unique<kz::ResultList>(list);
  g_results = results.get();
  UpdateWindow(window);
  Pump();
  // Wine's own processes are still starting for a second or two after a program starts; the
  // program fills its list long after that.
  Sleep(2000);
  Pump();
  Measure(list, records, "");
  if (more > 1) Measure(list, more, "_2");
  g_results = nullptr;
  results.reset();
  DestroyWindow(window);
  return 0;
}
