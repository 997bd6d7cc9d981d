#include "app/win32/image_loader.h"

#include <cstring>
#include <vector>

#include "app/image_format.h"

namespace kz {
namespace {

// The version the icon-resource format has had since 32-bit Windows.
constexpr DWORD kIconFormatVersion = 0x00030000;

Image IconFromData(std::span<const std::uint8_t> data) {
  const std::optional<IconImageData> image = FirstIconImage(data);
  if (!image) return {};
  // A private copy: the call takes a writable pointer, and resource data is read-only.
  std::vector<BYTE> bytes(image->bytes.begin(), image->bytes.end());
  return Image::OwnIcon(CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()),
                                                 TRUE, kIconFormatVersion, image->width,
                                                 image->height, LR_DEFAULTCOLOR));
}

Image BitmapFromData(std::span<const std::uint8_t> data) {
  const std::optional<BitmapData> bitmap = ParseBitmapFile(data);
  if (!bitmap) return {};
  // The header follows the 14-byte file header, so it is copied to properly aligned storage.
  std::vector<DWORD> info((bitmap->info.size() + sizeof(DWORD) - 1) / sizeof(DWORD));
  std::memcpy(info.data(), bitmap->info.data(), bitmap->info.size());
  const auto* header = reinterpret_cast<const BITMAPINFO*>(info.data());
  const ScreenDc screen = GetScreenDc();
  if (!screen) return {};
  return Image::OwnBitmap(CreateDIBitmap(screen.get(), &header->bmiHeader, CBM_INIT,
                                         bitmap->bits.data(), header, DIB_RGB_COLORS));
}

}  // namespace

Image Image::OwnIcon(HICON icon) {
  Image image;
  image.icon_.reset(icon);
  return image;
}

Image Image::OwnBitmap(HBITMAP bitmap) {
  Image image;
  image.bitmap_.reset(bitmap);
  return image;
}

Image LoadImageData(std::span<const std::uint8_t> data) {
  switch (ClassifyImageData(data)) {
    case ImageKind::kBitmap:
      return BitmapFromData(data);
    case ImageKind::kIcon:
      return IconFromData(data);
    case ImageKind::kUnknown:
      break;
  }
  return {};
}

const Image& BuiltInImages::Find(int imageId) const {
  if (imageId < id::kFirstImage || imageId > id::kLastImage) return none_;
  return images_[static_cast<std::size_t>(imageId - id::kFirstImage)];
}

BuiltInImages LoadBuiltInImages(HMODULE module) {
  BuiltInImages loaded;
  for (int imageId = id::kFirstImage; imageId <= id::kLastImage; ++imageId) {
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(imageId), RT_RCDATA);
    if (resource == nullptr) continue;
    // Resource memory belongs to the module: nothing here frees it.
    HGLOBAL block = LoadResource(module, resource);
    const void* bytes = block != nullptr ? LockResource(block) : nullptr;
    if (bytes == nullptr) continue;
    const std::span<const std::uint8_t> data(static_cast<const std::uint8_t*>(bytes),
                                             SizeofResource(module, resource));
    loaded.images_[static_cast<std::size_t>(imageId - id::kFirstImage)] = LoadImageData(data);
  }
  return loaded;
}

}  // namespace kz
