#include "tests/e2e/remote.h"

namespace kz::e2e {

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
      size_(size) {}

RemoteMemory::~RemoteMemory() {
  if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(const void* data, std::size_t size, std::size_t offset) {
  if (!address_ || offset + size > size_) return false;
  SIZE_T written = 0;
  return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size,
                            &written) &&
         written == size;
}

bool RemoteMemory::Read(void* data, std::size_t size, std::size_t offset) const {
  if (!address_ || offset + size > size_) return false;
  SIZE_T read = 0;
  return ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &read) &&
         read == size;
}

}  // namespace kz::e2e
