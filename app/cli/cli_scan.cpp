// klangzwilling-cli scan [OPTIONS] FOLDER: the desktop program's search, its rows on stdout.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/cli_command.h"
#include "app/cli/console_ui.h"
#include "app/cli/listed_file.h"
#include "app/cli/listed_recordings.h"
#include "app/cli/match_namesakes.h"
#include "app/cli/no_media.h"
#include "app/cli/row_writer.h"
#include "app/cli/scan_options.h"
#include "app/cli/watched_listings.h"
#include "common/decimal.h"
#include "core/program.h"
#include "core/result_row.h"
#include "platform/command_line.h"
#include "search/run_search.h"

namespace kz::cli {
namespace {

void ReportUnreadable(const WatchedListings& files) {
  if (files.failedCount() == 0) return;
  std::fprintf(stderr, "klangzwilling-cli scan: %zu folder%s could not be read:\n",
               files.failedCount(), files.failedCount() == 1 ? "" : "s");
  for (const std::string& path : files.failedPaths()) std::fprintf(stderr, "  %s\n", path.c_str());
  if (files.failedCount() > files.failedPaths().size()) std::fprintf(stderr, "  ...\n");
}

// The rows of the command line's own matching rule, once the search has collected the files.
std::vector<ListedFile> OwnMatches(Program& program, const ScanOptions& options) {
  MatchRule rule{options.sameSize, options.ignoreCase, options.minSize};
  std::vector<ListedFile> listed;
  for (const MatchedFile& file : MatchNamesakes(program.referenceFiles, program.files, rule)) {
    listed.push_back({file.record, file.bytes, file.group, file.id});
  }
  return listed;
}

int RunScan(std::span<const std::string> arguments) {
  ScanOptions options;
  if (std::optional<int> end = ParseScanOptions(arguments, options)) return *end;
  std::optional<std::string> root = AbsoluteFolderPath(options.folder);
  std::unique_ptr<FileSystem> system = MakeSystemFileSystem();
  if (!root || !system->OpenSearch(*root)) {
    std::fprintf(stderr, "klangzwilling-cli scan: cannot read the folder '%s'%s\n",
                 options.folder.c_str(), root ? "" : ": it does not exist or is not a folder");
    return kExitUnreadable;
  }

  WatchedListings files(*system, options.excluded);
  std::unique_ptr<Clock> clock = MakeSystemClock();
  NoMedia media;
  RowWriter writer(options.format, options.terminator, stdout, options.recordings);
  bool machineFormat = options.format != RowFormat::kWindow;
  // The machine formats carry their own record ends (CSV's CR LF, JSON's LF, NUL).
  if (machineFormat || options.terminator == '\0') UseBinaryStandardOutput();
  const char separator = files.Separator();
  RowCells cells;
  // With the recordings every row waits for the comparison; otherwise it is written at once.
  ListedRecordings recordings;
  std::vector<ListedFile> kept;
  auto take = [&](const ListedFile& file, std::string_view windowText) {
    if (options.recordings) {
      kept.push_back(file);
      recordings.Add(*file.record, file.group);
    } else if (options.OwnMatching()) {
      writer.Write(OwnRowOf(file, *root, separator, cells));
    } else {
      writer.Write(WindowRowOf(file, windowText));
    }
  };
  Program* program = nullptr;
  std::int32_t group = 0;
  std::string lastName, path;
  // The window's own rows, as FillResultList adds them: its list cursor stands on the row's
  // record meanwhile.
  auto onRow = [&](std::string_view text) {
    if (options.OwnMatching()) return;
    const FileRecord& record = program->duplicateList.current();
    if (group == 0 || record.name.view() != lastName) {
      ++group;
      lastName.assign(record.name.view());
    }
    std::int64_t bytes = -1;
    if (machineFormat) {
      path.assign(record.directory.view()).append(record.name.view());
      bytes = files.FileSize(path);
    }
    take({&record, bytes, group, record.id}, text);
  };
  ConsoleUi ui(*root, !options.flat, onRow, stderr, ErrorStreamIsTerminal());
  Program searching(ui, *clock, files, media);
  program = &searching;

  writer.WriteHeader();
  CatchFirstInterrupt();
  RunSearch(searching);  // the console never closes a window, so the search always ends normally
  bool searchCut = ui.interrupted();
  if (options.OwnMatching()) {
    std::vector<ListedFile> matched = OwnMatches(searching, options);
    for (const ListedFile& file : matched) take(file, {});
    ui.SetStatusText(0, matched.empty() ? " Suche beendet! Keine doppelten MP3-Dateien gefunden!"
                                        : " Suche erfolgreich beendet!");
    ui.SetStatusText(1,
                     "Anzahl Dateien : " + IntToDecimal(static_cast<std::int32_t>(matched.size())));
  }
  std::string searchOutcome = ui.StatusText(0);
  // A Ctrl+C during the search asks for what was found, so nothing is compared then.
  bool comparisonCut = options.recordings && !searchCut && !recordings.Compare(searching);
  ui.EraseProgress();
  std::int32_t shownGroup = 0, lastGroup = 0;
  for (std::size_t row = 0; row < kept.size(); ++row) {
    if (options.sameRecording && !recordings.HasCopies(row)) continue;
    ListedFile file = kept[row];
    // The groups count the names shown.
    if (file.group != lastGroup) ++shownGroup;
    lastGroup = file.group;
    file.group = shownGroup;
    ResultRow written = options.OwnMatching()
                            ? OwnRowOf(file, *root, separator, cells)
                            : WindowRowOf(file, cells.text = RowText(
                                                    *file.record, searching.resultRoot, separator));
    written.recording = recordings.RecordingOf(row);
    writer.Write(written);
  }
  std::fflush(stdout);
  if (!options.quiet) ReportUnreadable(files);
  if (searchCut) {
    std::fprintf(stderr,
                 "klangzwilling-cli scan: cut short by Ctrl+C; the rows are those of the files "
                 "found until then%s\n",
                 options.recordings ? ", their audio not compared" : "");
  } else if (comparisonCut) {
    std::fprintf(stderr,
                 "klangzwilling-cli scan: the comparison was cut short by Ctrl+C; the names not "
                 "compared until then have no recording\n");
  }
  if (options.recordings && !searchCut) {
    std::fprintf(stderr, "%s\n", searchOutcome.c_str());  // the comparison's outcome follows
  }
  ui.ReportStatus(searchCut ? 1 : 0);
  return FinishOutput(ui.interrupted() ? kExitInterrupted : kExitDone);
}

const CliCommand registration("scan", kScanUsage,
                              "list the MP3 files whose name occurs in more than one folder",
                              &RunScan);

}  // namespace
}  // namespace kz::cli
