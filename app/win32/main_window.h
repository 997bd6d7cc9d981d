#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "app/layout.h"
#include "app/win32/dpi.h"
#include "app/win32/event_service.h"
#include "app/win32/folder_tree_control.h"
#include "app/win32/image_loader.h"
#include "app/win32/result_list.h"

namespace kz {

class FileSystem;

// The main window with its controls, status bar and popup menu, built once at start-up.
// A control that cannot be created is simply absent (its handle stays null).
class MainWindow {
 public:
  // Null when the window itself cannot be opened; nothing else is created then.
  static std::unique_ptr<MainWindow> Create(HINSTANCE instance, const std::string& title,
                                            EventService& events, FileSystem& files,
                                            const BuiltInImages& images);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  HWND hwnd() const { return window_; }
  // The control with a program id (0 to 13), or null.
  HWND Control(int controlId) const;
  HMENU itemMenu() const { return itemMenu_; }
  FolderTreeControl* tree() const { return tree_.get(); }
  ResultList* results() const { return results_.get(); }
  HFONT font() const { return font_.get(); }
  // The screen's DPI, to which the layout is scaled.
  int dpi() const { return dpi_; }
  void SetButtonImage(int controlId, HICON image);
  // Menu command numbers: the platform treats command 0 as "nothing chosen", so the items get
  // numbers of their own that map back to the item ids.
  static constexpr UINT kMenuCommandBase = 0x7E00;

  // The control that gets the focus when the window is activated next.
  void FocusOnActivation(HWND control);
  // Gives the focus to that control; false when there is none.
  bool GiveBackFocus();

 private:
  MainWindow(HINSTANCE instance, EventService& events, const BuiltInImages& images);
  bool Open(const std::string& title);
  void CreateControls(FileSystem& files);
  void CreateStatusBar();
  void CreateItemMenu();
  HWND AddControl(int controlId, DWORD exStyle, const wchar_t* windowClass, const wchar_t* text,
                  DWORD style, const LayoutRect& place);
  int Scaled(int length) const;

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Keeps or gives back the focused control; true when it set the focus itself.
  bool OnActivate(WPARAM wParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  bool OnNotify(const NMHDR& header, LRESULT& result);
  int IdOf(HWND control) const;

  HINSTANCE instance_;
  EventService& events_;
  const BuiltInImages& images_;
  int dpi_;
  // Outlives the controls: they are destroyed with the window in the destructor's body.
  ControlFont font_;
  HWND window_ = nullptr;
  // The control that had the focus when the window was last deactivated; it gets it back on
  // activation, as in a dialog, so that Tab and Shift+Tab go on from there.
  HWND focusOnDeactivate_ = nullptr;
  std::array<HWND, 14> controls_{};
  std::array<HICON, 6> buttonImages_{};
  std::unique_ptr<FolderTreeControl> tree_;
  std::unique_ptr<ResultList> results_;
  HMENU itemMenu_ = nullptr;
  int nextFrameId_ = 1000;
};

}  // namespace kz
