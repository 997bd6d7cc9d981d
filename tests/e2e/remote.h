#pragma once

#include <windows.h>

#include <cstddef>

namespace kz::e2e {

// Memory inside another process, for control messages whose arguments point at buffers (list
// views and status bars do not marshal those across processes).
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size);
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory();

  bool valid() const { return address_ != nullptr; }
  void* address() const { return address_; }
  bool Write(const void* data, std::size_t size, std::size_t offset = 0);
  bool Read(void* data, std::size_t size, std::size_t offset = 0) const;

 private:
  HANDLE process_;
  void* address_;
  std::size_t size_;
};

}  // namespace kz::e2e
