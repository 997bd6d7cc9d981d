// The desktop program: start-up, the main loop, the exit.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/main_loop.h"
#include "app/win32/event_service.h"
#include "app/win32/image_loader.h"
#include "app/win32/main_window.h"
#include "app/win32/win_ui.h"
#include "core/program.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_clock.h"
#include "platform/win32/win_file_system.h"
#include "platform/win32/win_media.h"
#include "recordings/compare_recordings.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace kz;
  // The shell's display names and icons for the folder tree want COM on this thread.
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  InitCommonControls();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                                      ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                                      ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);

  const std::string title = kTitle;
  BuiltInImages images = LoadBuiltInImages(instance);

  EventService events;
  WinClock clock;
  WinFileSystem files;
  WinMedia media;
  int exitCode = 0;
  {
    std::unique_ptr<MainWindow> main = MainWindow::Create(instance, title, events, files, images);
    if (!main) {
      MessageBoxW(nullptr,
                  L"Das Hauptfenster konnte nicht ge\u00f6ffnet werden. Das Programm wird beendet.",
                  Widen(title).c_str(), MB_OK | MB_ICONERROR);
      exitCode = 1;
    } else {
      WinUi ui(instance, *main, events, images);
      Program program(ui, clock, files, media);
      program.title = title;
      if (ResultList* results = main->results()) {
        results->UseRecords(
            [&program](std::int32_t id) { return program.duplicateIndex.recordAt(id); });
        results->UseRecordingCells(
            [&program](std::int32_t id) { return RecordingCell(RecordingOf(program, id)); });
      }
      RefreshStatus(program);
      RunMainLoop(program);
      // Exit: no question, no command to the media player; the windows close with `main`.
      ui.SetPlaybackWakeups(false);
      // The list may still be asked for texts while the windows close; the records go first.
      if (ResultList* results = main->results()) {
        results->UseRecords(nullptr);
        results->UseRecordingCells(nullptr);
      }
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
