#include <cstdint>
#include <utility>

#include "common/windows_path_rules.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win_file_system.h"
#include "platform/win32/win_handles.h"
#include "platform/win32/win_read_only_file.h"
// After <windows.h>, whose types it uses.
#include <winioctl.h>

namespace kz {
namespace {

class WinReadOnlyFile final : public ReadOnlyFile {
 public:
  explicit WinReadOnlyFile(UniqueFile file) : file_(std::move(file)) {}

  std::uint64_t size() const override { return size_; }

  // False for pipes and devices, which are no files to read to an end, and for an empty file,
  // which cannot be mapped either.
  bool IsNonEmptyDiskFile() {
    if (GetFileType(file_.get()) != FILE_TYPE_DISK) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.get(), &size) || size.QuadPart <= 0) return false;
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    return true;
  }

  // Positioned reads through ReadFile: a medium that goes away gives an error here, where a
  // mapped view would raise an in-page fault.
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override {
    constexpr std::size_t kLargestRead = std::size_t{1} << 30;
    while (!into.empty()) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      auto wanted = static_cast<DWORD>(into.size() < kLargestRead ? into.size() : kLargestRead);
      DWORD got = 0;
      if (!ReadFile(file_.get(), into.data(), wanted, &got, &at) || got == 0) return false;
      into = into.subspan(got);
      offset += got;
    }
    return true;
  }

  std::uint64_t DataFrom(std::uint64_t offset) override {
    if (offset >= size_) return size_;
    if (!rangesKnown_) return offset;
    FILE_ALLOCATED_RANGE_BUFFER asked{};
    asked.FileOffset.QuadPart = static_cast<LONGLONG>(offset);
    asked.Length.QuadPart = static_cast<LONGLONG>(size_ - offset);
    FILE_ALLOCATED_RANGE_BUFFER first{};
    DWORD returned = 0;
    BOOL done = DeviceIoControl(file_.get(), FSCTL_QUERY_ALLOCATED_RANGES, &asked, sizeof asked,
                                &first, sizeof first, &returned, nullptr);
    // More ranges than the one asked for are fine: only the first matters.
    if (!done && GetLastError() != ERROR_MORE_DATA) {
      rangesKnown_ = false;  // the volume cannot tell; asking again would cost the same
      return offset;
    }
    if (returned < sizeof first) return size_;  // nothing allocated from the offset on
    auto start = static_cast<std::uint64_t>(first.FileOffset.QuadPart);
    if (start <= offset) return offset;
    return start < size_ ? start : size_;
  }

 private:
  UniqueFile file_;
  std::uint64_t size_ = 0;
  bool rangesKnown_ = true;
};

}  // namespace

std::unique_ptr<ReadOnlyFile> ReadOnlyFileOf(UniqueFile file) {
  if (!file) return nullptr;
  // Owned before the allocation, so a failing one cannot leak the handle.
  auto opened = std::make_unique<WinReadOnlyFile>(std::move(file));
  if (!opened->IsNonEmptyDiskFile()) return nullptr;
  return opened;
}

std::unique_ptr<ReadOnlyFile> WinFileSystem::OpenReadOnly(std::string_view path) {
  // Others may read the file meanwhile, not write it: the open fails while a writer holds it.
  return ReadOnlyFileOf(
      UniqueFile(CreateFileW(ExtendedPath(Widen(path)).c_str(), GENERIC_READ, FILE_SHARE_READ,
                             nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)));
}

}  // namespace kz
