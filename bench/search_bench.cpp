// Detection, sort and row texts of the duplicate search, and the indexed detection beside the
// plain comparison of every pair.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bench/quadratic_detection.h"
#include "core/identity_store.h"
#include "core/ui.h"
#include "search/detect_duplicates.h"
#include "search/fill_result_list.h"

namespace kz {
namespace {

// A window that keeps nothing but the row count, so the benchmark measures the search's work.
class RowCountingUi final : public Ui {
 public:
  std::string ControlText(int id) override { return id == 10 ? "/music/" : ""; }
  void SetControlText(int, std::string_view) override {}
  std::int32_t ControlState(int) override { return 1; }
  void SetControlState(int, std::int64_t) override {}
  void DisableControl(int, int) override {}
  std::int32_t RowCount(int) override { return rows; }
  std::int32_t RowState(int, std::int32_t) override { return 0; }
  std::string RowText(int, std::int32_t, std::int32_t) override { return ""; }
  void AddRow(int, std::int32_t, std::string_view text) override {
    ++rows;
    for (char c : text) rowsHash = (rowsHash ^ static_cast<unsigned char>(c)) * 1099511628211u;
    rowsHash = (rowsHash ^ '\n') * 1099511628211u;
  }
  void SetRowTicked(int, std::int32_t, bool) override {}
  void RemoveRow(int, std::int32_t) override {}
  void ClearRows(int) override { rows = 0; }
  void SetControlAttribute(int, int, std::int32_t) override {}
  void SetStatusText(int, std::string_view) override {}
  void DisableMenuItem(int, int) override {}
  void ShowItemMenu() override {}
  std::int64_t ImageById(int imageId) override { return imageId; }
  void BeginRowBatch(int, std::int32_t) override {}
  void EndRowBatch(int) override {}
  std::int32_t WaitEvent() override { return 16; }
  std::int32_t PollEvent() override { return 0; }
  std::int32_t EventSource() override { return -1; }
  std::int32_t EventType() override { return -1; }
  void EnableMainWindow(bool) override {}
  bool OpenPropertiesWindow() override { return false; }
  void ClosePropertiesWindow() override {}
  std::int32_t AskYesNo(std::string_view, std::string_view) override { return 7; }
  void SetPlaybackWakeups(bool) override {}
  void DropInput(bool, int) override {}
  void RefreshRows(int) override {}

  std::int32_t rows = 0;
  std::uint64_t rowsHash = 14695981039346656037u;  // FNV-1a over every row, in list order
};

// Sizes from memory instead of the disk: the benchmark is about the search's own cost, not the
// operating system's answer to a million size queries.
class SizeOnlyFiles final : public FileSystem {
 public:
  char Separator() const override { return '/'; }
  std::unique_ptr<FolderListing> OpenSearch(std::string_view) override { return nullptr; }
  std::optional<std::string> FolderIdentity(std::string_view) override { return std::nullopt; }
  std::int64_t FileSize(std::string_view path) override {
    return 3'000'000 + static_cast<std::int64_t>(path.size()) * 1000;
  }
  std::optional<std::int64_t> CreationTime(std::string_view) override { return std::nullopt; }
  std::unique_ptr<ListedFolder> OpenListedFolder(std::string_view, const ObjectId&) override {
    return nullptr;
  }
  std::unique_ptr<ReadOnlyFile> OpenReadOnly(std::string_view) override { return nullptr; }
  bool ListFolder(std::string_view, std::vector<FolderEntry>&) override { return false; }
  bool HasSubfolder(std::string_view) override { return false; }
};

class NoMedia final : public MediaService {
 public:
  std::uint32_t SendCommand(std::string_view, char*, std::uint32_t) override { return 1; }
};

struct Bench {
  RowCountingUi ui;
  SizeOnlyFiles files;
  struct : Clock {
    std::uint32_t TickCount() override { return 0; }
  } clock;
  NoMedia media;
  Program program{ui, clock, files, media};
};

// `count` collected files in folders of 12 tracks, as a scan leaves them: half have a unique
// name, the other half form pairs of namesakes in two folders far apart.
void Collect(Program& program, int count) {
  int folders = (count + 11) / 12;
  std::vector<SharedText> directories;
  for (int folder = 0; folder < folders; ++folder) {
    directories.emplace_back("/music/Artist " + std::to_string(folder % 997) + "/Album " +
                             std::to_string(folder) + "/");
  }
  for (int i = 0; i < count; ++i) {
    int folder = i / 12;
    // Even files have a name of their own; odd file i of the second half shares its name with
    // odd file i - count / 2 of the first (count is a multiple of 4).
    int half = count / 2;
    std::string name =
        i % 2 == 0 ? std::to_string(i % 12 + 1) + " - Unique Title " + std::to_string(i) + ".mp3"
                   : "Shared Title " + std::to_string(i < half ? i : i - half) + ".mp3";
    SharedText nameText(name);
    for (RecordList* list : {&program.foundFiles, &program.referenceFiles}) {
      FileRecord& record = list->insertAfterCurrent();
      record.name = nameText;
      record.directory = directories[static_cast<std::size_t>(folder)];
      record.sizeKB = 3000;
    }
  }
}

void ClearAll(Program& program) {
  program.foundFiles.clear();
  program.referenceFiles.clear();
  program.duplicateList.clear();
  program.duplicateIndex.clear();
  auto& ui = static_cast<RowCountingUi&>(program.ui);
  ui.ClearRows(8);
  ui.rowsHash = RowCountingUi().rowsHash;
}

// Large blocks are mapped apart from the heap, and mallinfo counts them separately: a list's
// storage in one big block would otherwise not count at all.
std::size_t HeapInUse() {
  struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void DetectionSortAndRows(benchmark::State& state) {
  Bench bench;
  int count = static_cast<int>(state.range(0));
  std::size_t heapBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ClearAll(bench.program);
    std::size_t heapBefore = HeapInUse();
    Collect(bench.program, count);
    state.ResumeTiming();
    DetectDuplicates(bench.program);
    FillResultList(bench.program);
    state.PauseTiming();
    heapBytes = HeapInUse() - heapBefore;
    state.ResumeTiming();
  }
  state.counters["listed"] = bench.ui.rows;
  state.counters["heap_bytes_per_file"] = static_cast<double>(heapBytes) / count;
}
BENCHMARK(DetectionSortAndRows)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The identities of a search's files, 50 a folder as albums hold them: each file's own number
// and time, a folder's id once for its files.
void IdentityStorage(benchmark::State& state) {
  const auto count = static_cast<std::uint64_t>(state.range(0));
  std::size_t bytes = 0;
  for (auto _ : state) {
    IdentityStore store;
    for (std::uint64_t file = 1; file <= count; ++file) {
      ObjectId folder{7, 1'000'000'000 + file / 50, 0};
      store.push_back(FileIdentity{{7, file, 0}, folder, static_cast<std::int64_t>(file), false});
    }
    bytes = store.storageBytes();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["storage_bytes_per_file"] =
      static_cast<double>(bytes) / static_cast<double>(count);
}
BENCHMARK(IdentityStorage)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

std::vector<std::string> IndexRecords(RecordList& list) {
  std::vector<std::string> records;
  list.rewind();
  while (list.advance()) {
    const FileRecord& r = list.current();
    records.push_back(std::to_string(r.id) + r.directory + r.name.view() +
                      std::to_string(r.sizeKB));
  }
  return records;
}

template <void (*Detect)(Program&)>
void Detection(benchmark::State& state) {
  Bench bench;
  int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    ClearAll(bench.program);
    Collect(bench.program, count);
    state.ResumeTiming();
    Detect(bench.program);
    FillResultList(bench.program);
  }
  state.counters["listed"] = bench.ui.rows;

  // Beside the timing: both detections give the same DuplicateIndex and the same rows.
  Bench other;
  Collect(other.program, count);
  DetectDuplicatesByComparingAll(other.program);
  FillResultList(other.program);
  bool identical =
      IndexRecords(bench.program.duplicateIndex) == IndexRecords(other.program.duplicateIndex) &&
      bench.ui.rows == other.ui.rows && bench.ui.rowsHash == other.ui.rowsHash;
  state.counters["same_as_quadratic"] = identical ? 1 : 0;
}
BENCHMARK(Detection<DetectDuplicatesByComparingAll>)
    ->Name("QuadraticDetectionSortAndRows")
    ->Arg(20'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Detection<DetectDuplicates>)
    ->Name("IndexedDetectionSortAndRows")
    ->Arg(20'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kz
