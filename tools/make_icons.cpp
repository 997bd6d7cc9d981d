// Writes the button images and the program icon into the resources folder given as the first
// argument. With `--preview FOLDER` it also writes each picture, decoded back from the written
// bytes and laid on a button-face grey, as a PPM file for a look by eye.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "tools/icons/ico_reader.h"
#include "tools/icons/icon_set.h"

namespace {

namespace fs = std::filesystem;
using kz::icons::Canvas;

bool WriteBytes(const fs::path& path, const void* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

bool WritePreview(const fs::path& path, const Canvas& picture) {
  constexpr int kFace = 240;
  std::string ppm =
      "P6\n" + std::to_string(picture.Width()) + " " + std::to_string(picture.Height()) + "\n255\n";
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const kz::icons::Pixel& pixel = picture.At(x, y);
      for (int channel : {pixel.colour.r, pixel.colour.g, pixel.colour.b}) {
        ppm.push_back(
            static_cast<char>((channel * pixel.alpha + kFace * (255 - pixel.alpha)) / 255));
      }
    }
  }
  return WriteBytes(path, ppm.data(), ppm.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::string_view(argv[2]) == "--preview")) {
    std::fprintf(stderr, "usage: kz_make_icons RESOURCES_FOLDER [--preview FOLDER]\n");
    return 2;
  }
  const fs::path resources = argv[1];
  for (const kz::icons::GeneratedFile& file : kz::icons::GenerateIconFiles()) {
    if (!WriteBytes(resources / file.name, file.bytes.data(), file.bytes.size())) {
      std::fprintf(stderr, "cannot write %s\n", (resources / file.name).c_str());
      return 1;
    }
    if (argc != 4) continue;
    const std::string stem = fs::path(file.name).stem().string();
    for (std::size_t i = 0;; ++i) {
      const auto picture = kz::icons::ReadIcoImage(file.bytes, i);
      if (!picture) break;
      const fs::path preview = fs::path(argv[3]) / (stem + "_" + std::to_string(i) + ".ppm");
      if (!WritePreview(preview, *picture)) return 1;
    }
  }
  return 0;
}
