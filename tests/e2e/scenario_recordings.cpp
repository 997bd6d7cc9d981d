// Comparing the namesakes' audio in the real window: a tree built like a library, where names
// say nothing of the song ("01 Intro.mp3" in three albums), "Aufnahmen vergleichen" from the
// menu, the column read back, each ticking item, and a removal that leaves a file of every
// recording. The encoder's files come from the runner (tone2, other2: the same length, other
// audio; tone5).

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <set>
#include <string>

#include "core/ids.h"
#include "core/result_row.h"
#include "tests/e2e/app_process.h"
#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"
#include "tests/e2e/screenshot.h"

namespace kz::e2e {
namespace {

struct LibraryFile {
  const wchar_t* path;
  const wchar_t* media;  // null: no audio at all
  std::size_t tagBytes;
  std::size_t flipAt;
  char recording;  // files of one name with the same letter are one recording; '?' unreadable
};

// tone5 is 5 s long: its middle lies far from the blocks compared first at either end.
constexpr std::size_t kMiddleOfTone5 = 40000;
const LibraryFile kLibrary[] = {
    {L"Album A\\01 Intro.mp3", L"tone2.mp3", 0, SIZE_MAX, 'A'},
    {L"Album B\\01 Intro.mp3", L"other2.mp3", 0, SIZE_MAX, 'B'},
    {L"Album C\\01 Intro.mp3", L"tone5.mp3", 0, SIZE_MAX, 'C'},
    {L"Album A\\Lied.mp3", L"tone5.mp3", 200, SIZE_MAX, 'A'},
    {L"Album B\\Lied.mp3", L"tone5.mp3", 200, kMiddleOfTone5, 'B'},  // same size, other audio
    {L"Album A\\Song.mp3", L"tone2.mp3", 0, SIZE_MAX, 'A'},
    {L"Album B\\Song.mp3", L"tone2.mp3", 300, SIZE_MAX, 'A'},  // other tags
    {L"Album C\\Song.mp3", L"tone5.mp3", 0, SIZE_MAX, 'B'},    // larger, another recording
    {L"Album A\\Leer.mp3", nullptr, 0, SIZE_MAX, '?'},
    {L"Album C\\Leer.mp3", nullptr, 0, SIZE_MAX, '?'},
};

std::string RelativeOf(AppProcess& app, int row) {
  return app.RowText(app.Control(id::kResultList), row, kFolderColumn).substr(4) +
         app.RowText(app.Control(id::kResultList), row, kNameColumn);
}

std::set<std::string> Ticked(AppProcess& app) {
  std::set<std::string> ticked;
  for (int row = 0; row < app.RowCount(app.Control(id::kResultList)); ++row) {
    if ((app.RowState(app.Control(id::kResultList), row, LVIS_STATEIMAGEMASK) >> 12) == 2) {
      ticked.insert(RelativeOf(app, row));
    }
  }
  return ticked;
}

std::string Choose(AppProcess& app, int row, int item, const std::wstring& shot = L"") {
  WaitForFreshWelcome(app);
  return ChooseMenuItem(app, row, item, shot) ? app.StatusText(0) : "menu not shown";
}

void Recordings(const Options& options, Checker& check) {
  std::wstring top = options.work + L"\\aufnahmen\\";
  std::map<std::string, const LibraryFile*> library;
  for (const LibraryFile& file : kLibrary) {
    bool made = file.media ? CopyMediaTagged(options, file.media, top + file.path, file.tagBytes,
                                             file.flipAt)
                           : WriteText(top + file.path, "kein Ton");
    check.Check(made, "file made: " + Utf8(file.path));
    library[Utf8(file.path)] = &file;
  }
  AppProcess app(options.exe);
  if (!check.Check(app.WaitForMainWindow() != nullptr, "main window appears")) return;
  HWND list = app.Control(id::kResultList);
  if (!check.Equal(SearchFolder(app, options, "aufnahmen"), 10, "ten namesakes")) return;
  for (int row = 0; row < 10; ++row)
    check.Equal(app.RowText(list, row, kRecordingColumn), "", "not compared");

  check.Equal(Choose(app, 0, id::kCompareRecordingsItem),
              " 10 Dateien verglichen: 1 Aufnahme(n) mit mehreren Kopien",
              "the comparison's outcome");
  if (!options.shots.empty()) {
    // The name column is wide: narrowed for the picture, as a user would, the list shows the
    // recordings beside the names.
    int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(120, 0));
    app.Settle(200);
    SaveScreenshot(options.shots + L"\\recordings.bmp");
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width, 0));
  }
  // Numbers count from 1 in list order within each name; equal letters, equal numbers.
  std::map<std::string, std::map<char, std::string>> numbers;
  for (int row = 0; row < 10; ++row) {
    std::string relative = RelativeOf(app, row);
    const LibraryFile& file = *library.at(relative);
    std::string cell = app.RowText(list, row, kRecordingColumn);
    std::string name = app.RowText(list, row, kNameColumn);
    if (file.recording == '?') {
      check.Equal(cell, "?", "unreadable: " + relative);
      continue;
    }
    auto& ofName = numbers[name];
    ofName.try_emplace(file.recording, std::to_string(ofName.size() + 1));
    check.Equal(cell, ofName[file.recording], "the recording of " + relative);
  }

  // All but the largest of each recording: one Song.mp3 of the two copies, nothing else.
  check.Equal(Choose(app, 0, id::kTickAllButLargestItem),
              " 1 Datei(en) markiert, 8 einzelne Aufnahme(n) ausgelassen",
              "all but the largest of each recording");
  check.Check(Ticked(app) == std::set<std::string>{"Album A\\Song.mp3"},
              "only the smaller copy of Song.mp3's recording is ticked");
  check.Equal(Choose(app, 0, id::kClearTicksItem), " Alle Markierungen aufgehoben", "cleared");

  // The folder of Album B: its Song.mp3 copy goes, its single recordings stay.
  int inAlbumB = -1;
  for (int row = 0; row < 10; ++row) {
    if (RelativeOf(app, row) == "Album B\\Song.mp3") inAlbumB = row;
  }
  check.Equal(Choose(app, inAlbumB, id::kTickFolderItem),
              " 1 Datei(en) markiert, 2 einzelne Aufnahme(n) ausgelassen", "the folder Album B");
  check.Check(Ticked(app) == std::set<std::string>{"Album B\\Song.mp3"}, "Album B's copy ticked");

  WaitForFreshWelcome(app);
  check.Equal(RemoveTickedRows(app, inAlbumB), " 1 Datei(en) erfolgreich gel\xC3\xB6scht!",
              "the ticked copy is deleted");
  for (const LibraryFile& file : kLibrary) {
    bool ticked = std::wstring(file.path) == L"Album B\\Song.mp3";
    check.Check(Exists(top + file.path) != ticked, "deleted exactly if ticked: " + Utf8(file.path));
  }
  PostMessageW(app.main(), WM_CLOSE, 0, 0);
  check.Equal(app.WaitForExit(), 0, "exit code");
}

const Scenario kRecordings("recordings", Recordings);

}  // namespace
}  // namespace kz::e2e
