#pragma once

#include <windows.h>

#include "common/unique_handle.h"

namespace kz {

// The kinds of Win32 handle the program owns, each with the value its API returns on failure
// and the call that gives it back.

// Files, folders and other kernel objects from CreateFileW, which fails with
// INVALID_HANDLE_VALUE (not null).
struct KernelHandlePolicy {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { CloseHandle(handle); }
};
using UniqueFile = UniqueHandle<KernelHandlePolicy>;

// FindFirstFileW's search handles: INVALID_HANDLE_VALUE on failure, and FindClose, not
// CloseHandle.
struct FindHandlePolicy {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { FindClose(handle); }
};
using UniqueFind = UniqueHandle<FindHandlePolicy>;

// Fonts, bitmaps and other GDI objects of one type: null on failure, DeleteObject.
template <class Object>
struct GdiObjectPolicy {
  using Handle = Object;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { DeleteObject(handle); }
};
using UniqueFont = UniqueHandle<GdiObjectPolicy<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectPolicy<HBITMAP>>;

// Icons made by the program (not shared ones from LoadIcon): null on failure, DestroyIcon.
struct IconPolicy {
  using Handle = HICON;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { DestroyIcon(handle); }
};
using UniqueIcon = UniqueHandle<IconPolicy>;

// The screen's device context from GetDC(nullptr), which is released, not deleted, and
// against the same null window.
struct ScreenDcPolicy {
  using Handle = HDC;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { ReleaseDC(nullptr, handle); }
};
using ScreenDc = UniqueHandle<ScreenDcPolicy>;

inline ScreenDc GetScreenDc() {
  return ScreenDc(GetDC(nullptr));
}

}  // namespace kz
