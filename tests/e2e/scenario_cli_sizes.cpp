// The command line on a tree of many namesakes, each of its own size: every row shows the size
// of its own file, though the detection asks for thousands of them folder by folder.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/e2e.h"
#include "tests/e2e/fixtures.h"

namespace kz::e2e {
namespace {

// M:\groessen\ holds n<F>.mp3 (F 0..89) in each of the folders d00 .. d99, made by the runner,
// every file of its own size (9,000 rows).
constexpr long long kRows = 9000;

void CliSizes(const Options& options, Checker& check) {
  CliResult cli = RunCli(options, L"scan " + options.workDrive + L"\\groessen\\");
  check.Equal(cli.exitCode, 0, "CLI exit code");
  std::vector<std::string> rows = SplitLines(cli.out);
  if (!check.Equal(static_cast<long long>(rows.size()), kRows, "every namesake listed")) return;
  long long wrong = 0;
  std::string firstWrong;
  for (const std::string& row : rows) {
    // name TAB size TAB ...\folder\ TAB id
    std::size_t sizeAt = row.find('\t') + 1;
    std::size_t folderAt = row.find('\t', sizeAt) + 1;
    std::size_t idAt = row.find('\t', folderAt);
    std::string name = row.substr(0, sizeAt - 1);
    std::string folder = row.substr(folderAt + 4, idAt - folderAt - 4);  // after "...\"
    WIN32_FILE_ATTRIBUTE_DATA data{};
    bool found =
        GetFileAttributesExW((options.work + L"\\groessen\\" + Wide(folder) + Wide(name)).c_str(),
                             GetFileExInfoStandard, &data);
    std::string expected = std::to_string(data.nFileSizeLow / 1024 + 1) + " KB";
    if (!found || row.substr(sizeAt, folderAt - 1 - sizeAt) != expected) {
      if (wrong++ == 0) firstWrong = row + " (the file has " + expected + ")";
    }
  }
  check.Equal(wrong, 0, "rows whose size is not their file's, first: " + firstWrong);
}

const Scenario kCliSizes("cli-sizes", CliSizes);

}  // namespace
}  // namespace kz::e2e
