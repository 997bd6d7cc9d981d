// klangzwilling-cli scan [OPTIONS] FOLDER: the desktop program's search, its rows on stdout.

#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/cli_command.h"
#include "app/cli/console_ui.h"
#include "app/cli/match_namesakes.h"
#include "app/cli/no_media.h"
#include "app/cli/row_writer.h"
#include "app/cli/scan_options.h"
#include "app/cli/watched_listings.h"
#include "common/decimal.h"
#include "common/size_kb.h"
#include "core/program.h"
#include "core/result_row.h"
#include "platform/command_line.h"
#include "search/run_search.h"

namespace kz::cli {
namespace {

// Splits a row text of the window's list into its cells. The name is known, so a line feed
// inside the name or the folder cannot shift the cells (the size and the ID hold none).
void SplitWindowRow(std::string_view row, std::string_view name,
                    std::string_view (&cells)[kRowTextCells]) {
  std::string_view rest = row;
  if (row.size() > name.size() && row.substr(0, name.size()) == name && row[name.size()] == '\n') {
    cells[kNameColumn] = name;
    rest = row.substr(name.size() + 1);
  } else {
    std::size_t end = row.find('\n');
    cells[kNameColumn] = row.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : row.substr(end + 1);
  }
  std::size_t sizeEnd = rest.find('\n');
  cells[kSizeColumn] = rest.substr(0, sizeEnd);
  rest = sizeEnd == std::string_view::npos ? std::string_view() : rest.substr(sizeEnd + 1);
  std::size_t idStart = rest.rfind('\n');
  cells[kFolderColumn] = rest.substr(0, idStart);
  cells[kIdColumn] =
      idStart == std::string_view::npos ? std::string_view() : rest.substr(idStart + 1);
}

void ReportUnreadable(const WatchedListings& files) {
  if (files.failedCount() == 0) return;
  std::fprintf(stderr, "klangzwilling-cli scan: %zu folder%s could not be read:\n",
               files.failedCount(), files.failedCount() == 1 ? "" : "s");
  for (const std::string& path : files.failedPaths()) std::fprintf(stderr, "  %s\n", path.c_str());
  if (files.failedCount() > files.failedPaths().size()) std::fprintf(stderr, "  ...\n");
}

// The rows of the command line's own matching rule, once the search has collected the files.
std::int32_t WriteOwnMatches(Program& program, const ScanOptions& options, const std::string& root,
                             RowWriter& writer) {
  MatchRule rule{options.sameSize, options.ignoreCase, options.minSize};
  std::vector<MatchedFile> matched = MatchNamesakes(program.referenceFiles, program.files, rule);
  std::string sizeCell, folderCell, idCell;
  for (const MatchedFile& file : matched) {
    std::string_view directory = file.record->directory.view();
    sizeCell = IntToDecimal(SizeInKB(file.bytes)) + " KB";
    folderCell = std::string("...") + program.files.Separator();
    folderCell += directory.substr(directory.rfind(root, 0) == 0 ? root.size() : 0);
    idCell = IntToDecimal(file.id);
    ResultRow row{{file.record->name.view(), sizeCell, folderCell, idCell},
                  file.record->name.view(),
                  directory,
                  file.bytes,
                  file.group,
                  file.id};
    writer.Write(row);
  }
  return static_cast<std::int32_t>(matched.size());
}

int RunScan(std::span<const std::string> arguments) {
  ScanOptions options;
  if (std::optional<int> end = ParseScanOptions(arguments, options)) return *end;
  std::optional<std::string> root = AbsoluteFolderPath(options.folder);
  std::unique_ptr<FileSystem> system = MakeSystemFileSystem();
  if (!root || !system->OpenListing(0, *root, "*.*")) {
    std::fprintf(stderr, "klangzwilling-cli scan: cannot read the folder '%s'%s\n",
                 options.folder.c_str(), root ? "" : ": it does not exist or is not a folder");
    return kExitUnreadable;
  }
  system->CloseListing(0);

  WatchedListings files(*system, options.excluded);
  std::unique_ptr<Clock> clock = MakeSystemClock();
  NoMedia media;
  RowWriter writer(options.format, options.terminator, stdout);
  bool machineFormat = options.format != RowFormat::kWindow;
  // The machine formats carry their own record ends (CSV's CR LF, JSON's LF, NUL).
  if (machineFormat || options.terminator == '\0') UseBinaryStandardOutput();
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
    ResultRow row;
    SplitWindowRow(text, record.name.view(), row.cells);
    row.name = record.name.view();
    row.directory = record.directory.view();
    if (machineFormat) {
      path.assign(row.directory).append(row.name);
      row.bytes = files.FileSize(path);
    }
    row.group = group;
    row.id = record.id;
    writer.Write(row);
  };
  ConsoleUi ui(*root, !options.flat, onRow, stderr, ErrorStreamIsTerminal());
  Program searching(ui, *clock, files, media);
  program = &searching;

  writer.WriteHeader();
  CatchFirstInterrupt();
  RunSearch(searching);  // the console never closes a window, so the search always ends normally
  if (options.OwnMatching()) {
    std::int32_t count = WriteOwnMatches(searching, options, *root, writer);
    ui.SetStatusText(0, count == 0 ? " Suche beendet! Keine doppelten MP3-Dateien gefunden!"
                                   : " Suche erfolgreich beendet!");
    ui.SetStatusText(1, "Anzahl Dateien : " + IntToDecimal(count));
  }
  ui.EraseProgress();
  std::fflush(stdout);
  if (!options.quiet) ReportUnreadable(files);
  if (ui.interrupted()) {
    std::fprintf(stderr,
                 "klangzwilling-cli scan: cut short by Ctrl+C; the rows are those of the files "
                 "found until then\n");
  }
  ui.ReportStatus(ui.interrupted() ? 1 : 0);
  return FinishOutput(ui.interrupted() ? kExitInterrupted : kExitDone);
}

const CliCommand registration("scan", kScanUsage,
                              "list the MP3 files whose name occurs in more than one folder",
                              &RunScan);

}  // namespace
}  // namespace kz::cli
