#pragma once

#include <windows.h>

#include <utility>

namespace kz {

// An owned icon, destroyed with the object. Non-copyable, movable.
class OwnedIcon {
 public:
  OwnedIcon() = default;
  explicit OwnedIcon(HICON icon) : icon_(icon) {}
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;
  OwnedIcon(OwnedIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
  OwnedIcon& operator=(OwnedIcon&& other) noexcept {
    if (this != &other) {
      Reset();
      icon_ = std::exchange(other.icon_, nullptr);
    }
    return *this;
  }
  ~OwnedIcon() { Reset(); }
  HICON get() const { return icon_; }
  void Reset() {
    if (icon_) DestroyIcon(icon_);
    icon_ = nullptr;
  }

 private:
  HICON icon_ = nullptr;
};

// An owned font, deleted with the object. Non-copyable, movable.
class OwnedFont {
 public:
  OwnedFont() = default;
  explicit OwnedFont(HFONT font) : font_(font) {}
  OwnedFont(const OwnedFont&) = delete;
  OwnedFont& operator=(const OwnedFont&) = delete;
  OwnedFont(OwnedFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
  OwnedFont& operator=(OwnedFont&& other) noexcept {
    if (this != &other) {
      Reset();
      font_ = std::exchange(other.font_, nullptr);
    }
    return *this;
  }
  ~OwnedFont() { Reset(); }
  HFONT get() const { return font_; }
  void Reset() {
    if (font_) DeleteObject(font_);
    font_ = nullptr;
  }

 private:
  HFONT font_ = nullptr;
};

// A window's device context (the screen's for a null window), released with the object.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context for one scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Saves and restores a device context's state (clip region and the rest) for one scope.
class SavedDc {
 public:
  explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  SavedDc(const SavedDc&) = delete;
  SavedDc& operator=(const SavedDc&) = delete;
  ~SavedDc() { RestoreDC(dc_, saved_); }

 private:
  HDC dc_;
  int saved_;
};

}  // namespace kz
