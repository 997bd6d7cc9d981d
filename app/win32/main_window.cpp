#include "app/win32/main_window.h"

#include <commctrl.h>

#include "app/layout.h"
#include "app/win32/dpi.h"
#include "app/win32/image_button.h"
#include "core/ids.h"
#include "core/result_row.h"
#include "platform/win32/wide_text.h"

namespace kz {
namespace {

constexpr wchar_t kWindowClass[] = L"KlangzwillingMainWindow";
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = DefWindowProcW;  // replaced per window in Open
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Centred on the screen; an outer size larger than the screen counts as the screen size.
POINT CentredOrigin(int outerWidth, int outerHeight) {
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (outerWidth > screenWidth) outerWidth = screenWidth;
  if (outerHeight > screenHeight) outerHeight = screenHeight;
  return {(screenWidth - outerWidth) / 2, (screenHeight - outerHeight) / 2};
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, EventService& events, const BuiltInImages& images)
    : instance_(instance), events_(events), images_(images), dpi_(ScreenDpi()), font_(dpi_) {}

MainWindow::~MainWindow() {
  tree_.reset();
  results_.reset();
  if (window_) DestroyWindow(window_);
  if (itemMenu_) DestroyMenu(itemMenu_);
}

std::unique_ptr<MainWindow> MainWindow::Create(HINSTANCE instance, const std::string& title,
                                               EventService& events, FileSystem& files,
                                               const BuiltInImages& images) {
  std::unique_ptr<MainWindow> main(new MainWindow(instance, events, images));
  if (!main->Open(title)) return nullptr;
  main->CreateControls(files);
  main->CreateStatusBar();
  main->CreateItemMenu();
  events.SetAcceleratorWindow(main->window_);
  return main;
}

bool MainWindow::Open(const std::string& title) {
  if (!RegisterWindowClass(instance_)) return false;
  RECT outer{0, 0, Scaled(layout::kClientWidth), Scaled(layout::kClientHeight)};
  AdjustWindowRectEx(&outer, kWindowStyle, FALSE, 0);
  int outerWidth = outer.right - outer.left;
  int outerHeight = outer.bottom - outer.top;
  POINT origin = CentredOrigin(outerWidth, outerHeight);
  window_ = CreateWindowExW(0, kWindowClass, Widen(title).c_str(), kWindowStyle, origin.x, origin.y,
                            outerWidth, outerHeight, nullptr, nullptr, instance_, nullptr);
  if (!window_) return false;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindow::Procedure));
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  return true;
}

int MainWindow::Scaled(int length) const {
  return ScaleToDpi(length, dpi_);
}

HWND MainWindow::AddControl(int controlId, DWORD exStyle, const wchar_t* windowClass,
                            const wchar_t* text, DWORD style, const LayoutRect& place) {
  int menuId = controlId >= 0 ? controlId : nextFrameId_++;
  LayoutRect at = ScaleToDpi(place, dpi_);
  HWND control = CreateWindowExW(
      exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, at.x, at.y, at.width, at.height,
      window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(menuId)), instance_, nullptr);
  if (!control) return nullptr;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  if (controlId >= 0 && controlId < static_cast<int>(controls_.size())) {
    controls_[static_cast<std::size_t>(controlId)] = control;
  }
  return control;
}

void MainWindow::CreateControls(FileSystem& files) {
  LayoutRect treeAt = ScaleToDpi(layout::kFolderTree, dpi_);
  tree_ = FolderTreeControl::Create(window_, id::kFolderTree,
                                    RECT{treeAt.x, treeAt.y, treeAt.right(), treeAt.bottom()},
                                    font_.get(), files);
  if (tree_) controls_[id::kFolderTree] = tree_->hwnd();

  HWND list = AddControl(id::kResultList, WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                         WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                             LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
                         layout::kResultList);
  if (list) {
    DWORD extended =
        LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_CHECKBOXES;
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    // By column number: name, size, folder, ID, recording.
    const wchar_t* titles[kColumnCount] = {L"Dateiname", L"Gr\u00f6sse", L"Verzeichnis", L"ID",
                                           L"Aufnahme"};
    for (int index = 0; index < kColumnCount; ++index) {
      LVCOLUMNW info{};
      info.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
      info.fmt = LVCFMT_LEFT;
      info.cx = Scaled(layout::kResultColumns[static_cast<std::size_t>(index)]);
      info.pszText = const_cast<wchar_t*>(titles[index]);
      info.iSubItem = index;
      SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&info));
    }
    // Column numbers keep their meaning; the recording is shown beside the size.
    SendMessageW(list, LVM_SETCOLUMNORDERARRAY, layout::kResultColumnOrder.size(),
                 reinterpret_cast<LPARAM>(layout::kResultColumnOrder.data()));
    // The rows live in the program; the control asks for what it shows.
    results_ = std::make_unique<ResultList>(list);
  }

  constexpr DWORD kImageButton = WS_TABSTOP | BS_PUSHBUTTON;
  AddControl(id::kSearchButton, 0, WC_BUTTONW, L"", kImageButton, layout::kSearchButton);
  HWND check = AddControl(id::kRecursiveCheck, 0, WC_BUTTONW, L"Rekursive Suche",
                          WS_TABSTOP | BS_AUTOCHECKBOX, layout::kRecursiveCheck);
  if (check) SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  HWND time = AddControl(id::kTimeField, WS_EX_CLIENTEDGE, WC_EDITW, L"",
                         WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, layout::kTimeField);
  if (time) SetWindowTextW(time, L"00:00:00");
  HWND bar =
      AddControl(id::kPositionBar, 0, TRACKBAR_CLASSW, L"", WS_TABSTOP, layout::kPositionBar);
  if (bar) {
    SendMessageW(bar, TBM_SETRANGEMIN, FALSE, 0);
    SendMessageW(bar, TBM_SETRANGEMAX, FALSE, 100);
    SendMessageW(bar, TBM_SETPOS, TRUE, 0);
  }
  for (int button = id::kPlayButton; button <= id::kForwardButton; ++button) {
    AddControl(button, 0, WC_BUTTONW, L"", kImageButton,
               layout::kPlayerButtons[static_cast<std::size_t>(button - id::kPlayButton)]);
  }
  buttonImages_[id::kSearchButton] = images_.Find(id::kGoImage).icon();
  buttonImages_[id::kPlayButton] = images_.Find(id::kPlayImage).icon();
  buttonImages_[id::kPauseButton] = images_.Find(id::kPauseImage).icon();
  buttonImages_[id::kStopButton] = images_.Find(id::kStopImage).icon();
  buttonImages_[id::kRewindButton] = images_.Find(id::kRewindImage).icon();
  buttonImages_[id::kForwardButton] = images_.Find(id::kForwardImage).icon();

  // The frames come last, so they lie below the controls they enclose; clipping keeps their
  // painting off those controls.
  constexpr DWORD kFrame = BS_GROUPBOX | WS_CLIPSIBLINGS;
  for (const LayoutRect& frame : layout::kFrames) AddControl(-1, 0, WC_BUTTONW, L"", kFrame, frame);
}

void MainWindow::CreateStatusBar() {
  HWND status = CreateWindowExW(
      0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id::kStatusBar)), instance_, nullptr);
  if (!status) return;
  controls_[id::kStatusBar] = status;
  if (dpi_ != kLayoutDpi) {
    // Wine's status bar keeps a font of 96 dpi; at a raised DPI it gets the controls' font and
    // takes the height that font needs. At 96 dpi it keeps its own.
    SendMessageW(status, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(status, WM_SIZE, 0, 0);
  }
  int rightEdges[] = {Scaled(layout::kStatusFields[0]),
                      Scaled(layout::kStatusFields[0] + layout::kStatusFields[1])};
  SendMessageW(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rightEdges));
  SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"Anzahl Dateien : 0"));
}

void MainWindow::CreateItemMenu() {
  itemMenu_ = CreatePopupMenu();
  if (!itemMenu_) return;
  AppendMenuW(itemMenu_, MF_STRING, kMenuCommandBase + id::kPropertiesItem, L"Eigenschaften");
  AppendMenuW(itemMenu_, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(itemMenu_, MF_STRING, kMenuCommandBase + id::kRemoveItem, L"Datei(en) entfernen");
  AppendMenuW(itemMenu_, MF_STRING, kMenuCommandBase + id::kRecycleItem,
              L"Datei(en) in den Papierkorb verschieben");
  AppendMenuW(itemMenu_, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(itemMenu_, MF_STRING, kMenuCommandBase + id::kTickAllButLargestItem,
              L"Alle au\u00dfer der gr\u00f6\u00dften Datei je Aufnahme markieren");
  AppendMenuW(itemMenu_, MF_STRING, kMenuCommandBase + id::kTickFolderItem,
              L"Alle Dateien in diesem Ordner und darunter markieren");
  AppendMenuW(itemMenu_, MF_STRING, kMenuCommandBase + id::kClearTicksItem,
              L"Alle Markierungen aufheben");
  AppendMenuW(itemMenu_, MF_STRING, kMenuCommandBase + id::kCompareRecordingsItem,
              L"Aufnahmen vergleichen");
  for (int item :
       {id::kPropertiesItem, id::kRemoveItem, id::kRecycleItem, id::kTickAllButLargestItem,
        id::kTickFolderItem, id::kClearTicksItem, id::kCompareRecordingsItem}) {
    EnableMenuItem(itemMenu_, kMenuCommandBase + item, MF_BYCOMMAND | MF_GRAYED);
  }
}

HWND MainWindow::Control(int controlId) const {
  if (controlId < 0 || controlId >= static_cast<int>(controls_.size())) return nullptr;
  return controls_[static_cast<std::size_t>(controlId)];
}

int MainWindow::IdOf(HWND control) const {
  if (!control) return -1;
  for (std::size_t index = 0; index < controls_.size(); ++index) {
    if (controls_[index] == control) return static_cast<int>(index);
  }
  return -1;
}

void MainWindow::SetButtonImage(int controlId, HICON image) {
  if (controlId < id::kSearchButton || controlId > id::kForwardButton) return;
  HWND button = Control(controlId);
  if (!button) return;
  buttonImages_[static_cast<std::size_t>(controlId)] = image;
  InvalidateRect(button, nullptr, TRUE);
  UpdateWindow(button);  // the new image shows at once, also in the middle of a long search
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      // The window stays open; the program decides what follows.
      events_.QueueWindowEvent(16, id::kMainWindow);
      return 0;
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
      break;
    }
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == Control(id::kPositionBar)) {
        events_.RecordControlEvent(id::kPositionBar, control_event::kClick);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (OnActivate(wParam)) return 0;
      break;
    case WM_DEVICECHANGE:
      if (tree_) tree_->OnDeviceChange(wParam, lParam);
      return TRUE;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

bool MainWindow::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) focusOnDeactivate_ = focus;
    return false;
  }
  // Minimized: the default gives the focus to the window itself.
  return !HIWORD(wParam) && GiveBackFocus();
}

void MainWindow::FocusOnActivation(HWND control) {
  focusOnDeactivate_ = control;
}

bool MainWindow::GiveBackFocus() {
  // The control may have gone meanwhile.
  if (!focusOnDeactivate_ || !IsWindow(focusOnDeactivate_) ||
      !IsChild(window_, focusOnDeactivate_)) {
    return false;
  }
  SetFocus(focusOnDeactivate_);
  return true;
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  WORD command = LOWORD(wParam);
  WORD code = HIWORD(wParam);
  HWND source = reinterpret_cast<HWND>(lParam);
  if (!source) {
    if (code == 1) {  // an accelerator: Tab or Shift+Tab
      bool previous = command == EventService::kFocusPreviousCommand;
      HWND next = GetNextDlgTabItem(window_, GetFocus(), previous ? TRUE : FALSE);
      if (next) SetFocus(next);
      SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      return;
    }
    if (command >= kMenuCommandBase && id::IsMenuItem(command - kMenuCommandBase)) {
      events_.RecordMenuEvent(command - kMenuCommandBase);
    }
    return;
  }
  int controlId = IdOf(source);
  if (controlId < 0 || controlId == id::kResultList || controlId == id::kFolderTree) return;
  events_.RecordControlEvent(controlId, code);
}

bool MainWindow::OnNotify(const NMHDR& header, LRESULT& result) {
  int controlId = IdOf(header.hwndFrom);
  if (controlId == id::kFolderTree && tree_ && tree_->OnNotify(header, result)) return true;
  if (header.code == NM_CUSTOMDRAW && controlId >= id::kSearchButton &&
      controlId <= id::kForwardButton) {
    result = DrawImageOnButton(reinterpret_cast<const NMCUSTOMDRAW&>(header),
                               buttonImages_[static_cast<std::size_t>(controlId)]);
    return true;
  }
  if (controlId != id::kResultList && controlId != id::kFolderTree) return false;
  if (controlId == id::kResultList && results_ && results_->OnNotify(header, result)) return true;
  switch (header.code) {
    case NM_CLICK:
      events_.RecordControlEvent(controlId, control_event::kClick);
      break;
    case NM_RCLICK:
      events_.RecordControlEvent(controlId, control_event::kRightClick);
      break;
    case NM_DBLCLK:
      events_.RecordControlEvent(controlId, control_event::kDoubleClick);
      break;
    case NM_RDBLCLK:
      events_.RecordControlEvent(controlId, control_event::kRightDoubleClick);
      break;
    case TVN_SELCHANGEDW:
      events_.RecordControlEvent(controlId, control_event::kSelectionChanged);
      break;
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      constexpr UINT kWatched = LVIS_SELECTED | LVIS_STATEIMAGEMASK;
      if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & kWatched)) {
        events_.RecordControlEvent(controlId, control_event::kSelectionChanged);
      }
      break;
    }
    case LVN_BEGINDRAG:
    case LVN_BEGINRDRAG:
    case TVN_BEGINDRAGW:
    case TVN_BEGINRDRAGW:
      events_.RecordControlEvent(controlId, static_cast<std::int32_t>(header.code));
      break;
    default:
      return false;
  }
  result = 0;
  return true;
}

}  // namespace kz
