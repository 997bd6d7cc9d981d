#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <span>

#include "core/ids.h"
#include "platform/win32/win_handles.h"

namespace kz {

// An owned icon or bitmap (at most one of the two), destroyed with the call that fits its kind.
// Empty when default-made or moved from.
class Image {
 public:
  Image() = default;
  static Image OwnIcon(HICON icon);
  static Image OwnBitmap(HBITMAP bitmap);

  explicit operator bool() const { return icon_ || bitmap_; }
  // Null unless the image is of that kind.
  HICON icon() const { return icon_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }

 private:
  UniqueIcon icon_;
  UniqueBitmap bitmap_;
};

// Bitmap file data ("BM") becomes a bitmap; icon file data becomes an icon of its first image,
// at that image's own size. Anything else, or data that is cut short, gives an empty image.
Image LoadImageData(std::span<const std::uint8_t> data);

// The seven pictures built into the program as RCDATA resources 17 to 23.
class BuiltInImages {
 public:
  // Empty for an id outside 17 to 23 and for an image that could not be loaded.
  const Image& Find(int imageId) const;

 private:
  friend BuiltInImages LoadBuiltInImages(HMODULE module);
  static constexpr int kCount = id::kLastImage - id::kFirstImage + 1;
  std::array<Image, kCount> images_;
  Image none_;
};

// Loads the images in id order; one that is missing or unreadable leaves its id empty.
BuiltInImages LoadBuiltInImages(HMODULE module);

}  // namespace kz
