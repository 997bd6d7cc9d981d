#include "app/win32/builtin_images.h"

namespace kz {

void LoadBuiltInImages(HINSTANCE instance, ImageTable& images) {
  for (int imageId = id::kFirstImage; imageId <= id::kLastImage; ++imageId) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(imageId), MAKEINTRESOURCEW(10));
    if (!resource) continue;  // an image that cannot be loaded leaves its id empty
    (void)images;
  }
}

}  // namespace kz
