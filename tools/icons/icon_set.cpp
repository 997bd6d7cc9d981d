#include "tools/icons/icon_set.h"

#include "tools/icons/button_art.h"
#include "tools/icons/ico_writer.h"
#include "tools/icons/program_icon_art.h"

namespace kz::icons {
namespace {

GeneratedFile ButtonImage(std::string name, const Canvas& picture) {
  const IcoImage image{&picture, IcoEncoding::kMaskedTrueColour};
  return {std::move(name), WriteIcoFile({&image, 1})};
}

GeneratedFile ProgramIcon() {
  std::vector<Canvas> flat;
  std::vector<Canvas> shaded;
  for (int size : {48, 32, 24, 16}) {
    flat.push_back(DrawProgramIcon(size, IconColours::kFlat));
    shaded.push_back(DrawProgramIcon(size, IconColours::kShaded));
  }
  std::vector<IcoImage> images;
  for (std::size_t i = 0; i < shaded.size(); ++i) {
    images.push_back({&flat[i], IcoEncoding::kPalette4});
    images.push_back({&shaded[i], IcoEncoding::kPalette8});
    images.push_back({&shaded[i], IcoEncoding::kAlphaTrueColour});
  }
  return {"klangzwilling.ico", WriteIcoFile(images)};
}

}  // namespace

std::vector<GeneratedFile> GenerateIconFiles() {
  return {ButtonImage("play.ico", DrawPlay()),
          ButtonImage("pause.ico", DrawPause()),
          ButtonImage("stop.ico", DrawStop()),
          ButtonImage("rewind.ico", DrawRewind()),
          ButtonImage("forward.ico", DrawForward()),
          ButtonImage("go.ico", DrawLettering("GO")),
          ButtonImage("stop_search.ico", DrawLettering("STOP")),
          ProgramIcon()};
}

}  // namespace kz::icons
