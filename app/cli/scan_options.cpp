#include "app/cli/scan_options.h"

#include <cstdio>

#include "app/cli/cli_command.h"

namespace kz::cli {
namespace {

constexpr const char* kHelp =
    "usage: klangzwilling-cli scan [OPTIONS] [--] FOLDER\n"
    "\n"
    "Searches FOLDER and its subfolders for MP3 files (*.mp3 in any letter case) and prints one\n"
    "record per file whose name occurs in more than one folder, sorted by name. The search's\n"
    "outcome and the row count go to stderr. The first Ctrl+C ends the search early; the rows of\n"
    "the files found so far are still printed (exit status 130).\n"
    "\n"
    "Output:\n"
    "  --format window  the window's rows, the default: name, size in KB, folder below FOLDER,\n"
    "                   ID, separated by TAB; a TAB, line feed or carriage return in a name or\n"
    "                   folder is shown as \\t, \\n, \\r\n"
    "  --format csv     RFC 4180 with a header record: name,path,size,group,id; text fields in\n"
    "                   double quotes (a quote doubled), records ended by CR LF\n"
    "  --format tsv     the same fields with a header, separated by TAB; a backslash, TAB, line\n"
    "                   feed or carriage return in a field is written \\\\, \\t, \\n, \\r\n"
    "  --format json    JSON Lines: one object per line, {\"name\", \"path\", \"size\", "
    "\"group\",\n"
    "                   \"id\"} (not one array); bytes of a name that are not UTF-8 become U+FFFD\n"
    "  -0, --null       end every record with a NUL byte instead of a line end\n"
    "  The machine formats carry the exact bytes of the full path, the size in bytes (-1 for a\n"
    "  file gone meanwhile), the group (the files of one name share a number, 1, 2, ... in the\n"
    "  order shown) and the window's ID. Everything is UTF-8.\n"
    "\n"
    "Recordings:\n"
    "  --recordings      compare the audio of each name's files, as \"Aufnahmen vergleichen\"\n"
    "                    does in the window: the frames without the tags, so that copies whose\n"
    "                    tags alone differ are one recording. Adds the window's \"Aufnahme\"\n"
    "                    cell as a fifth cell (empty: not compared, ?: unreadable as audio,\n"
    "                    else the recording's number within its name, counted from 1 in the\n"
    "                    order of all its rows) and a field recording to the other formats (the\n"
    "                    number, or empty; JSON: null)\n"
    "  --same-recording  compare, and print only the files of a recording that two or more of\n"
    "                    them share (the true copies); the groups count the names printed\n"
    "  A Ctrl+C during the comparison cuts it short: the names compared until then keep their\n"
    "  recordings, the others have none (exit status 130). One during the search skips it.\n"
    "\n"
    "Search:\n"
    "  --flat            FOLDER itself only, no subfolders\n"
    "  --exclude GLOB    skip the files and folders whose name matches GLOB (* ? [a-z] [!a-z]);\n"
    "                    may be given more than once\n"
    "  -q, --quiet       do not report the folders that could not be read\n"
    "\n"
    "Matching (the window always uses the exact name):\n"
    "  --same-size       namesakes must also have the same size in bytes\n"
    "  --ignore-case     names are compared without letter case: ASCII and Unicode simple case\n"
    "                    folding of Latin, Greek and Cyrillic letters (other scripts as they are)\n"
    "  --min-size BYTES  leave out files smaller than BYTES\n"
    "  With any of these the IDs count the matching files in the order the search found them,\n"
    "  as the window counts its own, the size cell is worked out from the exact size, and\n"
    "  --recordings compares the files of each group.\n"
    "\n"
    "Folders that could not be read are reported on stderr: how many, and the first five.\n"
    "Exit status: 0 done, 1 FOLDER cannot be read, 2 usage error, 3 writing the output failed,\n"
    "130 cut short by Ctrl+C.\n";

bool ParseByteCount(const std::string& text, std::int64_t& value) {
  if (text.empty() || text.size() > 18) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

}  // namespace

std::optional<int> ParseScanOptions(std::span<const std::string> arguments, ScanOptions& options) {
  bool optionsEnded = false;
  bool haveFolder = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string argument = arguments[i];
    std::optional<std::string> attached;  // the value of "--name=value"
    if (!optionsEnded && argument.rfind("--", 0) == 0) {
      std::size_t equals = argument.find('=');
      if (equals != std::string::npos) {
        attached = argument.substr(equals + 1);
        argument.resize(equals);
      }
    }
    auto value = [&](std::string& out) {
      if (attached) {
        out = *attached;
        return true;
      }
      if (i + 1 >= arguments.size()) return false;
      out = arguments[++i];
      return true;
    };
    bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
    if (!isOption) {
      if (haveFolder) return UsageError("scan", "more than one FOLDER");
      options.folder = argument;
      haveFolder = true;
      continue;
    }
    bool takesValue = argument == "--format" || argument == "--exclude" || argument == "--min-size";
    if (attached && !takesValue) {
      return UsageError("scan", "option '" + argument + "' takes no value");
    }
    std::string text;
    if (takesValue && !value(text)) {
      return UsageError("scan", "option '" + argument + "' needs a value");
    }
    if (argument == "--") {
      optionsEnded = true;
    } else if (IsHelpOption(argument)) {
      std::fputs(kHelp, stdout);
      return FinishOutput(kExitDone);
    } else if (argument == "--flat") {
      options.flat = true;
    } else if (argument == "-q" || argument == "--quiet") {
      options.quiet = true;
    } else if (argument == "-0" || argument == "--null") {
      options.terminator = '\0';
    } else if (argument == "--same-size") {
      options.sameSize = true;
    } else if (argument == "--ignore-case") {
      options.ignoreCase = true;
    } else if (argument == "--recordings") {
      options.recordings = true;
    } else if (argument == "--same-recording") {
      options.recordings = true;
      options.sameRecording = true;
    } else if (argument == "--format") {
      if (text == "window") {
        options.format = RowFormat::kWindow;
      } else if (text == "csv") {
        options.format = RowFormat::kCsv;
      } else if (text == "tsv") {
        options.format = RowFormat::kTsv;
      } else if (text == "json") {
        options.format = RowFormat::kJson;
      } else {
        return UsageError("scan", "unknown format '" + text + "' (window, csv, tsv or json)");
      }
    } else if (argument == "--exclude") {
      options.excluded.push_back(text);
    } else if (argument == "--min-size") {
      if (!ParseByteCount(text, options.minSize)) {
        return UsageError("scan", "--min-size needs a whole number of bytes, not '" + text + "'");
      }
    } else {
      return UsageError("scan", "unknown option '" + argument + "'");
    }
  }
  if (!haveFolder) return UsageError("scan", "FOLDER missing");
  return std::nullopt;
}

}  // namespace kz::cli
