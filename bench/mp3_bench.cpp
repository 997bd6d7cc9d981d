// The MP3 header reader on a page-cached 100 MB constant-rate file, beside a plain sequential
// read of the same file (the physical limit) and the scan alone over memory; and on a sparse
// file of 64 GiB whose holes it passes over.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "mp3/mp3_reader.h"
#include "mp3/mp3_scan.h"
#include "platform/posix/posix_file_system.h"

namespace {

constexpr std::size_t kFrameLength = 417;  // FF FB 90: 128 kbit/s, 44100 Hz
constexpr std::size_t kFileBytes = 100u * 1000 * 1000;

std::vector<std::uint8_t> ConstantRateFrames() {
  std::vector<std::uint8_t> bytes(kFileBytes / kFrameLength * kFrameLength + 128, 0x20);
  std::uint32_t noise = 1;
  for (std::size_t start = 0; start + kFrameLength <= bytes.size(); start += kFrameLength) {
    bytes[start] = 0xFF;
    bytes[start + 1] = 0xFB;
    bytes[start + 2] = 0x90;
    bytes[start + 3] = 0x44;
    for (std::size_t i = 4; i < kFrameLength; ++i) {
      noise = noise * 1103515245u + 12345u;
      bytes[start + i] = static_cast<std::uint8_t>(noise >> 24) & 0x7F;  // audio without syncs
    }
  }
  return bytes;
}

// The file, written once; having just been written it sits in the page cache.
const std::string& CachedFile() {
  static const std::string path = [] {
    std::string name = (std::filesystem::temp_directory_path() / "kz_mp3_bench.mp3").string();
    std::vector<std::uint8_t> bytes = ConstantRateFrames();
    if (std::FILE* file = std::fopen(name.c_str(), "wb")) {
      std::fwrite(bytes.data(), 1, bytes.size(), file);
      std::fclose(file);
    }
    std::atexit([] { std::filesystem::remove(CachedFile()); });
    return name;
  }();
  return path;
}

void BM_ReadMp3Info(benchmark::State& state) {
  const std::string& path = CachedFile();  // written, and so cached, before the timing
  kz::PosixFileSystem files;
  kz::Mp3Info info;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kz::ReadMp3Info(files, path, info));
  }
  if (info.frameCount != static_cast<std::int32_t>(kFileBytes / kFrameLength)) {
    state.SkipWithError("unexpected frame count");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * info.fileSize);
  state.counters["frames"] = info.frameCount;
}
BENCHMARK(BM_ReadMp3Info)->Unit(benchmark::kMillisecond);

void BM_SequentialRead(benchmark::State& state) {
  const std::string& path = CachedFile();
  std::vector<char> buffer(1 << 20);
  std::int64_t total = 0;
  for (auto _ : state) {
    int descriptor = open(path.c_str(), O_RDONLY);
    ssize_t got;
    while ((got = read(descriptor, buffer.data(), buffer.size())) > 0) total += got;
    close(descriptor);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(total);
}
BENCHMARK(BM_SequentialRead)->Unit(benchmark::kMillisecond);

void BM_ScanInMemory(benchmark::State& state) {
  static const std::vector<std::uint8_t> bytes = ConstantRateFrames();
  kz::Mp3Info info;
  for (auto _ : state) benchmark::DoNotOptimize(kz::ScanMp3Frames(bytes, info));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ScanInMemory)->Unit(benchmark::kMillisecond);

// 64 GiB of holes with 100 frames at the front and 100 at the very end.
const std::string& SparseFile() {
  static const std::string path = [] {
    std::string name = (std::filesystem::temp_directory_path() / "kz_mp3_sparse.mp3").string();
    std::vector<std::uint8_t> frames = ConstantRateFrames();
    frames.resize(100 * kFrameLength);
    constexpr off_t kSize = off_t{64} << 30;
    int descriptor = open(name.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0600);
    if (descriptor >= 0) {
      bool written = ftruncate(descriptor, kSize) == 0 &&
                     pwrite(descriptor, frames.data(), frames.size(), 0) > 0 &&
                     pwrite(descriptor, frames.data(), frames.size(),
                            kSize - static_cast<off_t>(frames.size())) > 0;
      close(descriptor);
      if (!written) std::filesystem::remove(name);
    }
    std::atexit([] { std::filesystem::remove(SparseFile()); });
    return name;
  }();
  return path;
}

void BM_ReadMp3InfoSparse64GiB(benchmark::State& state) {
  const std::string& path = SparseFile();
  kz::PosixFileSystem files;
  kz::Mp3Info info;
  for (auto _ : state) benchmark::DoNotOptimize(kz::ReadMp3Info(files, path, info));
  if (info.frameCount != 199) state.SkipWithError("unexpected frame count");
  state.counters["frames"] = info.frameCount;
}
BENCHMARK(BM_ReadMp3InfoSparse64GiB)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
