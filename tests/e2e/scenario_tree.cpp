// The folder tree on a mapped drive: drives in letter order, folders read when first expanded,
// sorted without regard to case, no files, expand buttons only where there are subfolders, and
// the selection's path as the search sees it; names of several scripts ordered as their
// readers expect.

#include <windows.h>

#include <cctype>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/input.h"
#include "tests/e2e/remote_tree.h"
#include "tests/e2e/screenshot.h"

namespace kz::e2e {
namespace {

// German, Polish, Greek and Cyrillic names, made in an order that is none of the expected.
constexpr const wchar_t* kScriptNames[] = {L"Zebra",
                                           L"\u0411\u0435\u0442\u0430",
                                           L"\u0141za",
                                           L"\u0392\u03ae\u03c4\u03b1",
                                           L"Beta",
                                           L"\u00c4rger",
                                           L"\u0430\u043b\u044c\u0444\u0430",
                                           L"\u03ac\u03bb\u03c6\u03b1",
                                           L"\u0142aska",
                                           L"alpha"};

void PrepareTree(const Options& options) {
  std::wstring root = options.work + L"\\tree";
  MakeFolders(root + L"\\gamma\\inner");
  MakeFolders(root + L"\\alpha");
  MakeFolders(root + L"\\.versteckt");
  WriteText(root + L"\\Beta\\nur eine Datei.mp3", "x");
  WriteText(root + L"\\lied.mp3", "x");
  for (const wchar_t* name : kScriptNames) MakeFolders(options.work + L"\\Namen\\" + name);
  CopyMedia(options, L"tone2.mp3", options.work + L"\\Songs\\a.mp3");
  CopyMedia(options, L"tone2.mp3", options.work + L"\\Songs\\Live\\a.mp3");
}

// The drive letter in an item's text ("Local Disk (C:)", "M:"), or 0.
char DriveLetter(const std::string& text) {
  for (std::size_t at = 1; at < text.size(); ++at) {
    if (text[at] == ':' && std::isalpha(static_cast<unsigned char>(text[at - 1]))) {
      return static_cast<char>(std::toupper(static_cast<unsigned char>(text[at - 1])));
    }
  }
  return 0;
}

void Tree(const Options& options, Checker& check) {
  PrepareTree(options);
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  HWND control = app.Control(id::kFolderTree);
  RemoteTree tree(app, control);
  check.Check(!(GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP), "tree has no tab stop");
  HTREEITEM root = tree.Root();
  if (!check.Check(root != nullptr, "root item")) return;
  check.Check(tree.Expanded(root), "root expanded at start");
  check.Check(tree.Selected() == nullptr, "nothing selected at start");

  char previous = 0;
  bool pastDrives = false;
  bool sawM = false;
  for (HTREEITEM item : tree.Children(root)) {
    char letter = DriveLetter(tree.Text(item));
    if (letter == 0) {
      pastDrives = true;
      continue;
    }
    check.Check(!pastDrives, "the documents item comes after the drives");
    check.Check(letter > previous, "drives in letter order: " + tree.Text(item));
    check.Check(tree.HasButton(item), "drive " + std::string(1, letter) + " has a button");
    previous = letter;
    if (letter == 'M') sawM = true;
  }
  check.Check(sawM, "drive M: is listed");

  HTREEITEM drive = tree.ChildContaining(root, "M:");
  if (!drive) return;
  tree.Expand(drive);
  HTREEITEM folder = nullptr;
  for (HTREEITEM item : tree.Children(drive)) {
    if (tree.Text(item) == "tree") folder = item;
  }
  if (!check.Check(folder != nullptr, "folder tree under M:")) return;
  check.Check(tree.HasButton(folder), "a folder with subfolders has a button");
  tree.Expand(folder);
  std::vector<std::string> names;
  for (HTREEITEM item : tree.Children(folder)) names.push_back(tree.Text(item));
  std::vector<std::string> expected = {".versteckt", "alpha", "Beta", "gamma"};
  std::string shown;
  for (const std::string& name : names) shown += name + " ";
  check.Check(names == expected, "sorted folders without files: " + shown);
  for (HTREEITEM item : tree.Children(folder)) {
    bool wantButton = tree.Text(item) == "gamma";
    check.Equal(tree.HasButton(item), wantButton, "expand button of " + tree.Text(item));
  }
  if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\folder-tree.bmp");

  // Without case and accent, each script in its letters' order: alpha, Ärger, Beta, łaska, Łza,
  // Zebra; άλφα, Βήτα; альфа, Бета.
  if (HTREEITEM namen = tree.ChildContaining(drive, "Namen")) {
    tree.Expand(namen);
    std::vector<std::string> order;
    std::string listed;
    for (HTREEITEM item : tree.Children(namen)) {
      order.push_back(tree.Text(item));
      listed += order.back() + " ";
    }
    std::vector<std::string> want;
    for (const wchar_t* name : {L"alpha", L"\u00c4rger", L"Beta", L"\u0142aska", L"\u0141za",
                                L"Zebra", L"\u03ac\u03bb\u03c6\u03b1", L"\u0392\u03ae\u03c4\u03b1",
                                L"\u0430\u043b\u044c\u0444\u0430", L"\u0411\u0435\u0442\u0430"}) {
      want.push_back(Utf8(name));
    }
    check.Check(order == want, "names of several scripts in their readers' order: " + listed);
    if (!options.shots.empty()) SaveScreenshot(options.shots + L"\\folder-tree-scripts.bmp");
    tree.Collapse(namen);
  } else {
    check.Check(false, "folder Namen under M:");
  }

  // Read once: a folder made now does not appear after collapsing and expanding.
  MakeFolders(options.work + L"\\tree\\delta");
  tree.Collapse(folder);
  tree.Expand(folder);
  check.Equal(static_cast<long long>(tree.Children(folder).size()), 4, "children read once");

  tree.Click(folder);
  app.Settle(200);
  check.Check(IsWindowEnabled(app.Control(id::kSearchButton)) != FALSE,
              "a folder enables the search button");
  tree.Click(root);
  app.Settle(200);
  check.Check(!IsWindowEnabled(app.Control(id::kSearchButton)),
              "the root disables the search button");
  tree.Click(drive);
  app.Settle(200);
  check.Check(IsWindowEnabled(app.Control(id::kSearchButton)) != FALSE,
              "a drive enables the search button");

  // M:\Songs\ is the tree's text: the rows show the directories below it.
  if (check.Check(SelectFolder(app, options, {"Songs"}), "select M:\\Songs\\")) {
    app.Settle(200);
    ClickControl(app.Control(id::kSearchButton));
    WaitFor([&] { return app.RowCount(app.Control(id::kResultList)) == 2; }, 15000);
    app.Settle(300);
    std::vector<std::string> cells;
    for (int row = 0; row < app.RowCount(app.Control(id::kResultList)); ++row) {
      cells.push_back(app.RowText(app.Control(id::kResultList), row, kFolderColumn));
    }
    check.Check(cells == std::vector<std::string>{"...\\Live\\", "...\\"} ||
                    cells == std::vector<std::string>{"...\\", "...\\Live\\"},
                "directory cells below M:\\Songs\\");
  }
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kTree("tree", Tree);

}  // namespace
}  // namespace kz::e2e
