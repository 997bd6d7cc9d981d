#pragma once

#include <windows.h>

#include <array>

#include "app/ids.h"
#include "app/win32/gdi_handles.h"

namespace kz {

// The built-in images by id (17 to 23). An image that could not be loaded stays empty.
class ImageTable {
 public:
  HICON Get(int imageId) const {
    if (imageId < id::kFirstImage || imageId > id::kLastImage) return nullptr;
    return icons_[static_cast<std::size_t>(imageId - id::kFirstImage)].get();
  }
  void Set(int imageId, OwnedIcon icon) {
    if (imageId < id::kFirstImage || imageId > id::kLastImage) return;
    icons_[static_cast<std::size_t>(imageId - id::kFirstImage)] = std::move(icon);
  }
  void Clear() {
    for (OwnedIcon& icon : icons_) icon.Reset();
  }

 private:
  std::array<OwnedIcon, id::kLastImage - id::kFirstImage + 1> icons_;
};

}  // namespace kz
