#pragma once

#include <utility>

namespace kz {

// Owns one handle of an operating-system resource and closes it exactly once: when the owner
// goes, is reset, or is assigned another one. The policy says what kind of handle it is:
//
//   struct Policy {
//     using Handle = ...;                      // the raw handle type
//     static Handle Invalid() noexcept;        // the value that stands for no handle
//     static void Close(Handle) noexcept;      // called only for a handle that is not Invalid()
//   };
//
// Each API marks failure its own way (-1, null, INVALID_HANDLE_VALUE), so the invalid value
// belongs to the policy, never to the caller. Copies would close twice, so there are none;
// moving hands the handle on and leaves the source empty.
template <class Policy>
class UniqueHandle {
 public:
  using Handle = typename Policy::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Policy::Invalid(); }

  // Gives the handle up without closing it; the owner is empty afterwards.
  [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Policy::Invalid()); }

  // Closes the handle held so far (if any) and takes `handle` instead.
  void reset(Handle handle = Policy::Invalid()) noexcept {
    Handle previous = std::exchange(handle_, handle);
    if (previous != Policy::Invalid()) Policy::Close(previous);
  }

 private:
  Handle handle_ = Policy::Invalid();
};

}  // namespace kz
